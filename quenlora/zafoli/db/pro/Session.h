// The entry point of the record-set library: one wire session to the server named by an "orvo://host:port" URL
// and its server session object, from which multi-views are created with the logon-retry rule. A design-time
// session connects nothing and builds every view locally. The session holds its registered multi-views weakly;
// every view handle holds its multi-view and so this session, so a session lives while anything made on it does.
// Made by makeRef only: views, requests and snapshots share its ownership, and a session that is not held by a Ref
// refuses to make them with a clear SQLException. Not locked beyond the multi-view list: one thread at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/util/Properties.h"
#include "quenlora/zafoli/db/net/ClientSession.h"
#include "quenlora/zafoli/db/net/Reply.h"
#include "quenlora/zafoli/db/pro/ConnectionInfo.h"
#include "quenlora/zafoli/db/pro/Logon.h"
#include "quenlora/zafoli/db/pro/Request.h"
#include "quenlora/zafoli/db/pro/ServerHandle.h"

namespace quenlora::zafoli::db::pro {

class MultiView;
class RelationView;
class SessionMetaData;

class Session : public plat::lang::Object {
 public:
  static constexpr int METHOD_close = 0;
  static constexpr int METHOD_getMetaData = 1;
  static constexpr int METHOD_createView = 2;
  static constexpr int METHOD_inquireDSN = 3;
  static constexpr const char* kClassName = "PMVTClientSession";
  static constexpr const char* kNoConnection = "ConnectionInfo object is null";
  static constexpr const char* kNotShared = "Session was not made by makeRef: views and requests cannot hold it";
  // Connection property: the read time-out in whole seconds (0 = none, the default), also bounding the connect.
  static constexpr const char* kSocketTimeout = net::ClientSession::kSocketTimeout;

  // An unconnected shell: no URL, no default connection; calls fail, nothing crashes.
  Session();
  // Design time: records the URL and connects nothing.
  explicit Session(std::string serverURL);
  // Connects unless designtime; any failure is SQLException "<type name>: <message>".
  Session(std::string serverURL, bool designtime);
  // The same with connection properties (socketTimeout); an invalid time-out is refused before connecting. A call
  // that waits longer than the time-out for the server gives the connection up and fails.
  Session(std::string serverURL, bool designtime, const plat::util::Properties& info);
  ~Session() override;
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  plat::lang::Ref<RelationView> createView(const std::string& sql);
  plat::lang::Ref<RelationView> createView(const std::string& table, const std::vector<std::string>& columns);
  plat::lang::Ref<RelationView> createView(const plat::lang::Ref<ConnectionInfo>& conn, const std::string& sql);
  plat::lang::Ref<RelationView> createView(const plat::lang::Ref<ConnectionInfo>& conn, const std::string& sql,
                                           const plat::util::Properties& requestProps);
  plat::lang::Ref<RelationView> createView(const plat::lang::Ref<ConnectionInfo>& conn, const std::string& table,
                                           const std::vector<std::string>& columns);
  plat::lang::Ref<RelationView> createView(const plat::lang::Ref<ConnectionInfo>& conn, const std::string& table,
                                           const std::vector<std::string>& columns,
                                           const plat::util::Properties& requestProps);
  // "select " + ("* " or the names joined by ", ") + " from " + table.
  static std::string selectText(const std::string& table, const std::vector<std::string>& columns);

  plat::lang::Ref<Request> getRequest(const std::string& sql = "");
  // A metadata snapshot of the data source (logon retry); refused at design time.
  plat::lang::Ref<SessionMetaData> getMetaData(const plat::lang::Ref<ConnectionInfo>& conn);
  // The root view of a new registered multi-view over the server's data sources.
  plat::lang::Ref<RelationView> inquireDSN();

  void setLogonObject(std::shared_ptr<Logon> logon) { logon_ = std::move(logon); }
  void setDefaultConnection(plat::lang::Ref<ConnectionInfo> conn) { defaultConn_ = std::move(conn); }
  const plat::lang::Ref<ConnectionInfo>& getDefaultConnection() const { return defaultConn_; }
  const std::string& getServerURL() const { return url_; }
  const std::string& getName() const { return name_; }
  void setName(std::string name) { name_ = std::move(name); }
  bool isDesignTime() const { return designTime_; }
  bool isClosed() const { return closed_; }

  // Closes the registered multi-views (their failures ignored), sends the server session's close and closes the
  // wire session; every step runs, then the first failure of the session's own steps is rethrown. Twice: nothing.
  void close();

  // Inside the library.
  // A view whose multi-view the session does not keep (nor close) when registered is false.
  plat::lang::Ref<RelationView> createView(const plat::lang::Ref<ConnectionInfo>& conn, const std::string& sql,
                                           const plat::util::Properties& requestProps, bool registered);
  const plat::lang::Ref<net::ClientSession>& wire() const { return wire_; }
  // Calls method with the arguments build makes from conn's current values; a connection failure asks the Logon
  // callback and, on true, tries again with the values as they are then. An error element in the reply counts as
  // the call's failure.
  net::Reply invokeWithLogon(ServerHandle& handle, int method, ConnectionInfo& conn,
                             const std::function<ServerHandle::Args(const ConnectionInfo&)>& build);
  bool logonFailed(ConnectionInfo& conn, int attempt);
  void registerMultiView(const plat::lang::Ref<MultiView>& multiView);
  void forgetMultiView(const MultiView* multiView);
  std::size_t openMultiViews();

 private:
  void connect(int timeoutMs);
  // This session as a Ref; kNotShared when it is not held by one.
  plat::lang::Ref<Session> self();

  bool closed_ = true;
  bool designTime_ = false;
  std::string url_;
  std::string name_;
  plat::lang::Ref<net::ClientSession> wire_;  // null at design time and in the shell
  std::unique_ptr<ServerHandle> remote_;      // the server session object; absent handle when not connected
  std::shared_ptr<Logon> logon_;
  plat::lang::Ref<ConnectionInfo> defaultConn_;
  std::mutex mu_;
  std::vector<plat::lang::WeakRef<MultiView>> multiViews_;  // guarded by mu_; weak: a view handle owns its multi-view
  std::vector<plat::lang::WeakRef<SessionMetaData>> metaData_;  // guarded by mu_; weak: a snapshot holds the session
};

}  // namespace quenlora::zafoli::db::pro
