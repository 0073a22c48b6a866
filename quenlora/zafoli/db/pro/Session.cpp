#include "quenlora/zafoli/db/pro/Session.h"

#include <algorithm>
#include <limits>

#include "platform/lang/Exceptions.h"
#include "platform/lang/Integer.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/BestEffort.h"
#include "quenlora/zafoli/db/net/Param.h"
#include "quenlora/zafoli/db/net/SQLConnectionException.h"
#include "quenlora/zafoli/db/net/SessionErrors.h"
#include "quenlora/zafoli/db/net/TextParam.h"
#include "quenlora/zafoli/db/pro/MultiView.h"
#include "quenlora/zafoli/db/pro/RelationView.h"
#include "quenlora/zafoli/db/pro/SessionMetaData.h"

namespace quenlora::zafoli::db::pro {

using plat::lang::makeRef;
using plat::lang::Ref;

namespace {

constexpr const char* kProtocol = "orvo";
constexpr const char* kBadProtocol = "Unrecognized protocol.";
constexpr const char* kBadSyntax = "Invalid URL syntax.";
constexpr const char* kBadSubname = "Invalid subname syntax.";
constexpr const char* kNoDesignMetaData = "DatabaseMetaData is not available during DesignTime";

struct Address {
  std::string host;
  std::string port;
};

Address parseUrl(const std::string& url) {
  const auto colon = url.find(':');
  if (colon == std::string::npos) throw plat::sql::SQLException(kBadSyntax);
  if (url.substr(0, colon) != kProtocol) throw plat::sql::SQLException(kBadProtocol);
  const std::string rest = url.substr(colon);
  if (rest.size() <= 1) throw plat::sql::SQLException(kBadSyntax);
  std::vector<std::string> tokens;
  std::string token;
  for (char c : rest) {
    if (c == ':' || c == '/') {
      if (!token.empty()) tokens.push_back(std::move(token));
      token.clear();
      if (tokens.size() == 2) break;
    } else {
      token += c;
    }
  }
  if (!token.empty() && tokens.size() < 2) tokens.push_back(token);
  if (tokens.size() < 2) throw plat::sql::SQLException(kBadSubname);
  return {tokens[0], tokens[1]};
}

// The view properties the server session's createView takes, read from a request's property set.
struct ViewProperties {
  int optConc = 1;
  std::string recPosition = "3";
  int maxRecords = 200;
  bool readOnly = true;
  bool sharable = true;

  static bool flag(const plat::util::Properties& p, const char* key) {
    std::string v = p.getProperty(key, "true");
    std::transform(v.begin(), v.end(), v.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return v == "true";
  }

  explicit ViewProperties(const plat::util::Properties& p)
      : optConc(plat::lang::Integer::parseInt(p.getProperty(Request::kOptConc, "1"))),
        recPosition(p.getProperty(Request::kRecPosition, "3")),
        maxRecords(plat::lang::Integer::parseInt(p.getProperty("maxRecords", "200"))),
        readOnly(flag(p, "readOnly")),
        sharable(flag(p, "sharable")) {}
};

Ref<net::ServerObject> text(const std::string& v) {
  return makeRef<net::TextParam>(0, v);
}

}  // namespace

Session::Session() = default;

Session::Session(std::string serverURL) : Session(std::move(serverURL), true) {}

Session::Session(std::string serverURL, bool designtime)
    : Session(std::move(serverURL), designtime, plat::util::Properties()) {}

Session::Session(std::string serverURL, bool designtime, const plat::util::Properties& info)
    : closed_(false), designTime_(designtime), url_(std::move(serverURL)), defaultConn_(makeRef<ConnectionInfo>("")) {
  const int timeoutMs = net::ClientSession::socketTimeoutMs(info);
  if (!designTime_) connect(timeoutMs);
}

Ref<Session> Session::self() {
  auto held = weak_from_this().lock();
  if (!held) throw plat::sql::SQLException(kNotShared);
  return std::static_pointer_cast<Session>(held);
}

Session::~Session() {
  try {
    close();
  } catch (...) {
  }
}

void Session::connect(int timeoutMs) {
  wire_.reset();
  remote_.reset();
  closed_ = true;
  {
    std::lock_guard lock(mu_);
    multiViews_.clear();
  }
  try {
    const Address address = parseUrl(url_);
    const int port = plat::lang::Integer::parseInt(address.port);
    net::SocketTimeouts timeouts;
    timeouts.connectMs = timeoutMs;
    timeouts.readMs = timeoutMs;
    wire_ = makeRef<net::ClientSession>(address.host, port, "", true, timeouts);
    auto handle = std::make_unique<ServerHandle>(wire_, kClassName, 0);
    const std::int32_t id = handle->construct("1");
    remote_ = std::make_unique<ServerHandle>(wire_, kClassName, id);
    closed_ = false;
  } catch (const plat::lang::Throwable& failure) {
    if (wire_) {
      try {
        wire_->close();
      } catch (...) {
      }
    }
    throw plat::sql::SQLException(failure.toString());
  }
}

std::string Session::selectText(const std::string& table, const std::vector<std::string>& columns) {
  std::string list;
  if (columns.empty()) {
    list = "* ";
  } else {
    for (std::size_t i = 0; i < columns.size(); ++i) list += (i ? ", " : "") + columns[i];
  }
  return "select " + list + " from " + table;
}

Ref<RelationView> Session::createView(const std::string& sql) {
  return createView(defaultConn_, sql);
}

Ref<RelationView> Session::createView(const std::string& table, const std::vector<std::string>& columns) {
  return createView(defaultConn_, table, columns);
}

Ref<RelationView> Session::createView(const Ref<ConnectionInfo>& conn, const std::string& sql) {
  return createView(conn, sql, plat::util::Properties());
}

Ref<RelationView> Session::createView(const Ref<ConnectionInfo>& conn, const std::string& table,
                                      const std::vector<std::string>& columns) {
  return createView(conn, selectText(table, columns), plat::util::Properties());
}

Ref<RelationView> Session::createView(const Ref<ConnectionInfo>& conn, const std::string& table,
                                      const std::vector<std::string>& columns,
                                      const plat::util::Properties& requestProps) {
  return createView(conn, selectText(table, columns), requestProps);
}

Ref<RelationView> Session::createView(const Ref<ConnectionInfo>& conn, const std::string& sql,
                                      const plat::util::Properties& requestProps) {
  return createView(conn, sql, requestProps, true);
}

Ref<RelationView> Session::createView(const Ref<ConnectionInfo>& conn, const std::string& sql,
                                      const plat::util::Properties& requestProps, bool registered) {
  if (!conn) throw plat::sql::SQLException(kNoConnection);
  auto owner = self();
  const ViewProperties props(requestProps);
  std::int32_t multiViewID = 0;
  ViewDescriptor root = ViewDescriptor::designTime();
  if (!designTime_) {
    if (!remote_) throw plat::sql::SQLException(net::SessionErrors::REMOTE_OBJECT_CLOSED);
    const net::Reply reply = invokeWithLogon(*remote_, METHOD_createView, *conn, [&](const ConnectionInfo& c) {
      return ServerHandle::Args{text(c.getDBString()),
                                text("RelView"),
                                text(sql),
                                net::Param::ofInt(0, props.optConc),
                                net::Param::ofInt(0, props.maxRecords),
                                net::Param::ofBoolean(0, props.readOnly),
                                net::Param::ofBoolean(0, props.sharable),
                                text(c.getUser()),
                                text(c.getPassword()),
                                net::Param::ofBoolean(0, c.getAutoDisconnect())};
    });
    multiViewID = reply.getInt(0);
    root = ViewDescriptor::read(reply, 1);
  }
  root.initialPosition = props.recPosition;
  root.concurrency = props.optConc;
  root.cardinality = 1;
  root.sql = sql;
  auto multiView = MultiView::create(std::move(owner), multiViewID, std::move(root), conn);
  if (registered) registerMultiView(multiView);
  return multiView->getRootRelView();
}

Ref<Request> Session::getRequest(const std::string& sql) {
  auto request = makeRef<Request>(self(), defaultConn_);
  request->setSQL(sql);
  return request;
}

Ref<SessionMetaData> Session::getMetaData(const Ref<ConnectionInfo>& conn) {
  if (designTime_) throw plat::sql::SQLException(kNoDesignMetaData);
  if (!conn) throw plat::sql::SQLException(kNoConnection);
  if (!remote_) throw plat::sql::SQLException(net::SessionErrors::REMOTE_OBJECT_CLOSED);
  auto owner = self();
  const net::Reply reply = invokeWithLogon(*remote_, METHOD_getMetaData, *conn, [](const ConnectionInfo& c) {
    return ServerHandle::Args{text(c.getDBString()), text(c.getUser()), text(c.getPassword())};
  });
  auto snapshot = makeRef<SessionMetaData>(std::move(owner), conn, reply);
  std::lock_guard lock(mu_);
  std::erase_if(metaData_, [](const auto& w) { return w.expired(); });
  metaData_.push_back(snapshot);
  return snapshot;
}

Ref<RelationView> Session::inquireDSN() {
  auto owner = self();
  std::int32_t multiViewID = 0;
  ViewDescriptor root = ViewDescriptor::designTime();
  if (!designTime_) {
    if (!remote_) throw plat::sql::SQLException(net::SessionErrors::REMOTE_OBJECT_CLOSED);
    const net::Reply reply = remote_->invoke(METHOD_inquireDSN);
    multiViewID = reply.getInt(0);
    root = ViewDescriptor::read(reply, 1);
  }
  auto multiView = MultiView::create(std::move(owner), multiViewID, std::move(root), makeRef<ConnectionInfo>(""));
  registerMultiView(multiView);
  return multiView->getRootRelView();
}

net::Reply Session::invokeWithLogon(ServerHandle& handle, int method, ConnectionInfo& conn,
                                    const std::function<ServerHandle::Args(const ConnectionInfo&)>& build) {
  for (int attempt = 0;;) {
    try {
      net::Reply reply = handle.invoke(method, build(conn));
      for (std::size_t i = 0; i < reply.size(); ++i) reply.at(i);
      return reply;
    } catch (const net::SQLConnectionException&) {
      if (!logonFailed(conn, ++attempt)) throw;
    }
  }
}

bool Session::logonFailed(ConnectionInfo& conn, int attempt) {
  return logon_ && logon_->logonFailed(conn, attempt);
}

void Session::registerMultiView(const Ref<MultiView>& multiView) {
  std::lock_guard lock(mu_);
  std::erase_if(multiViews_, [](const auto& w) { return w.expired(); });
  multiViews_.push_back(multiView);
}

void Session::forgetMultiView(const MultiView* multiView) {
  std::lock_guard lock(mu_);
  std::erase_if(multiViews_, [multiView](const auto& w) {
    auto held = w.lock();
    return !held || held.get() == multiView;
  });
}

std::size_t Session::openMultiViews() {
  std::lock_guard lock(mu_);
  std::erase_if(multiViews_, [](const auto& w) { return w.expired(); });
  return multiViews_.size();
}

void Session::close() {
  if (closed_) return;
  std::vector<Ref<MultiView>> open;
  {
    std::lock_guard lock(mu_);
    for (auto& w : multiViews_) {
      if (auto held = w.lock()) open.push_back(std::move(held));
    }
    multiViews_.clear();
    metaData_.clear();
  }
  for (auto& multiView : open) {
    try {
      multiView->close();
    } catch (const plat::sql::SQLException&) {
      // A multi-view that cannot reach the server is closed locally all the same; the session goes on.
    }
  }
  net::BestEffort steps;
  if (!designTime_ && remote_) {
    steps.run([&] { remote_->invoke(METHOD_close); });
    remote_->disable();
    if (wire_) steps.run([&] { wire_->close(); });
  }
  closed_ = true;
  steps.rethrow();
}

}  // namespace quenlora::zafoli::db::pro
