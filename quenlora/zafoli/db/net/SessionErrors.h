// The fixed failure texts of the transport, the session and the requests, kept in one place because callers and
// tests match them exactly (typos and double blanks included).
#pragma once

namespace quenlora::zafoli::db::net {

struct SessionErrors {
  static constexpr const char* PORT_TOO_LOW = "Port# must be 80 or higher";
  static constexpr const char* UNKNOWN_HOST = "Unknown host";
  static constexpr const char* NOT_RESPONDING = "Server not responding";
  static constexpr const char* SECURITY = "Security exception";
  static constexpr const char* CLASS_NOT_FOUND = "Class not found (new SocketWrapper)";
  static constexpr const char* INSTANTIATION = "Instantiation exception (new SocketWrapper)";
  static constexpr const char* ILLEGAL_ACCESS = "Illegal Access exception (new SocketWrapper)";
  static constexpr const char* IO_LIMIT = "IO object limit reached";
  static constexpr const char* IO_CONSTRUCT = "Error constructing IO object";
  static constexpr const char* IO_RECONNECT = "Error reconnecting IO object";
  static constexpr const char* IO_RECONNECT_REQUEST = "Error reconnecting IO object.";
  static constexpr const char* BAD_PACKET_HEADER = "Ivalid Packet header";
  static constexpr const char* PACKET_TOO_LARGE = "Packet payload too large";
  static constexpr const char* VERSION_MISMATCH =
      "Client/Server Protocol Version Mismatch:  Client class files version conflicts with expected Kestrovane "
      "version; verify CLASSPATH environment setting.";
  static constexpr const char* UNABLE_TO_CONNECT = "Unable to connect to server.";
  static constexpr const char* REQUEST_TOO_LONG = "Request exceeds max length of ";
  static constexpr const char* NET_ERROR_OPEN = "TRIVO net error( ";
  static constexpr const char* NET_ERROR_CLOSE = " )";
  static constexpr const char* LOGIN_FAILURE = "Login Failure";
  static constexpr const char* REPOSITORY_LIST = "Error getting repository list.";
  static constexpr const char* COMMA_IN_TEXT = "Text placed into a command may not contain a comma: ";
  static constexpr const char* CONNECT_LIST = "Error getting server connection list.";
  static constexpr const char* CONNECT_DETAILS = "Error getting Connection details.";
  static constexpr const char* SERVER_STATS = "Error getting server statistics.";
  static constexpr const char* TRACE = "Error tracing connection.";
  static constexpr const char* PING = "Server ping failed.";
  static constexpr const char* GET_CONFIG = "Error getting config.";
  static constexpr const char* REMOTE_OBJECT_CLOSED = "Error: Remote Object closed";
  static constexpr const char* INVALID_SERVER_OBJECT = "Invalid Server Object returned.";
  static constexpr const char* STREAM_CLOSED = "Stream is closed.";
  static constexpr const char* STREAM_CANT_CONVERT = "Can't convert data to request format";
  static constexpr const char* STREAM_ENDED_EARLY = "Input stream ended before the requested length: ";
  // The port that asks for a protected connection, which this client cannot make.
  static constexpr const char* SECURE_PORT = "The secure port is not supported by this client: ";
  // A value or text longer than one wire object can frame; nothing was sent.
  static constexpr const char* USE_STREAM =
      "; nothing was sent. Send long values with setAsciiStream, setBinaryStream or setCharacterStream";
};

}  // namespace quenlora::zafoli::db::net
