#include "quenlora/zafoli/db/pro/SessionMetaData.h"

#include "quenlora/zafoli/db/net/Param.h"
#include "quenlora/zafoli/db/net/TextParam.h"
#include "quenlora/zafoli/db/pro/MultiView.h"
#include "quenlora/zafoli/db/pro/RelationView.h"
#include "quenlora/zafoli/db/pro/Session.h"

namespace quenlora::zafoli::db::pro {

using plat::lang::makeRef;
using plat::lang::Ref;

namespace {

constexpr int kSchemaTerm = 3;   // index in the texts: element 99
constexpr int kCatalogTerm = 5;  // element 101

Ref<net::ServerObject> text(const std::string& v) {
  return makeRef<net::TextParam>(0, v);
}

}  // namespace

SessionMetaData::SessionMetaData(Ref<Session> session, Ref<ConnectionInfo> conn, const net::Reply& reply)
    : session_(std::move(session)), conn_(std::move(conn)), server_(session_->wire(), kClassName, reply.getInt(0)) {
  for (int i = 0; i < kBooleans; ++i)
    booleans_[static_cast<std::size_t>(i)] = reply.getBoolean(1 + static_cast<std::size_t>(i));
  for (int i = 0; i < kIntegers; ++i) {
    integers_[static_cast<std::size_t>(i)] = reply.getInt(1 + kBooleans + static_cast<std::size_t>(i));
  }
  for (int i = 0; i < kTexts; ++i) {
    texts_[static_cast<std::size_t>(i)] = reply.getString(1 + kBooleans + kIntegers + static_cast<std::size_t>(i));
  }
}

SessionMetaData::~SessionMetaData() = default;

std::string SessionMetaData::getURL() const {
  return session_->getServerURL() + "/" + conn_->getDBString();
}

std::string SessionMetaData::getSQLKeywords() {
  return server_.invoke(METHOD_getSQLKeywords).getString(0);
}
std::string SessionMetaData::getNumericFunctions() {
  return server_.invoke(METHOD_getNumericFunctions).getString(0);
}
std::string SessionMetaData::getStringFunctions() {
  return server_.invoke(METHOD_getStringFunctions).getString(0);
}
std::string SessionMetaData::getSystemFunctions() {
  return server_.invoke(METHOD_getSystemFunctions).getString(0);
}
std::string SessionMetaData::getTimeDateFunctions() {
  return server_.invoke(METHOD_getTimeDateFunctions).getString(0);
}
bool SessionMetaData::supportsConvert() {
  return server_.invoke(METHOD_supportsConvert).getBoolean(0);
}
bool SessionMetaData::supportsConvert(int fromType, int toType) {
  return server_.invoke(METHOD_supportsConvertFromTo, {net::Param::ofInt(0, fromType), net::Param::ofInt(0, toType)})
      .getBoolean(0);
}
bool SessionMetaData::supportsTransactionIsolationLevel(int level) {
  return server_.invoke(METHOD_supportsTransactionIsolationLevel, {net::Param::ofInt(0, level)}).getBoolean(0);
}

SessionMetaData::Args SessionMetaData::scoped(const Text& catalog, const Text& schema) const {
  return {text(texts_[kCatalogTerm].empty() ? "" : catalog), text(texts_[kSchemaTerm].empty() ? "" : schema)};
}

Ref<RelationView> SessionMetaData::view(int method, const Args& args) {
  const net::Reply reply = server_.invoke(method, args);
  const std::int32_t multiViewID = reply.getInt(0);
  ViewDescriptor root = ViewDescriptor::read(reply, 1);
  auto multiView = MultiView::create(session_, multiViewID, std::move(root), conn_);
  std::erase_if(views_, [](const auto& w) {
    auto held = w.lock();
    return !held || held->isClosed();
  });
  views_.push_back(multiView);
  return multiView->getRootRelView();
}

Ref<RelationView> SessionMetaData::getProcedures(const Text& catalog, const Text& schema, const Text& pattern) {
  Args args = scoped(catalog, schema);
  args.push_back(text(pattern));
  return view(METHOD_getProcedures, args);
}

Ref<RelationView> SessionMetaData::getProcedureColumns(const Text& catalog, const Text& schema, const Text& pattern,
                                                       const Text& columnPattern) {
  Args args = scoped(catalog, schema);
  args.push_back(text(pattern));
  args.push_back(text(columnPattern));
  return view(METHOD_getProcedureColumns, args);
}

Ref<RelationView> SessionMetaData::getTables(const Text& catalog, const Text& schema, const Text& pattern,
                                             const Types& types) {
  Args args = scoped(catalog, schema);
  args.push_back(text(pattern));
  if (types) {
    for (const auto& type : *types) args.push_back(text(type));
  }
  return view(METHOD_getTables, args);
}

Ref<RelationView> SessionMetaData::getSchemas() {
  return view(METHOD_getSchemas, {});
}
Ref<RelationView> SessionMetaData::getCatalogs() {
  return view(METHOD_getCatalogs, {});
}
Ref<RelationView> SessionMetaData::getTableTypes() {
  return view(METHOD_getTableTypes, {});
}
Ref<RelationView> SessionMetaData::getTypeInfo() {
  return view(METHOD_getTypeInfo, {});
}

Ref<RelationView> SessionMetaData::getColumns(const Text& catalog, const Text& schema, const Text& pattern,
                                              const Text& columnPattern) {
  Args args = scoped(catalog, schema);
  args.push_back(text(pattern));
  args.push_back(text(columnPattern));
  return view(METHOD_getColumns, args);
}

Ref<RelationView> SessionMetaData::getColumnPrivileges(const Text& catalog, const Text& schema, const Text& table,
                                                       const Text& columnPattern) {
  Args args = scoped(catalog, schema);
  args.push_back(text(table));
  args.push_back(text(columnPattern));
  return view(METHOD_getColumnPrivileges, args);
}

Ref<RelationView> SessionMetaData::getTablePrivileges(const Text& catalog, const Text& schema, const Text& pattern) {
  Args args = scoped(catalog, schema);
  args.push_back(text(pattern));
  return view(METHOD_getTablePrivileges, args);
}

Ref<RelationView> SessionMetaData::getBestRowIdentifier(const Text& catalog, const Text& schema, const Text& table,
                                                        int scope, bool nullable) {
  Args args = scoped(catalog, schema);
  args.push_back(text(table));
  args.push_back(net::Param::ofInt(0, scope));
  args.push_back(net::Param::ofBoolean(0, nullable));
  return view(METHOD_getBestRowIdentifier, args);
}

Ref<RelationView> SessionMetaData::getVersionColumns(const Text& catalog, const Text& schema, const Text& table) {
  Args args = scoped(catalog, schema);
  args.push_back(text(table));
  return view(METHOD_getVersionColumns, args);
}

Ref<RelationView> SessionMetaData::getPrimaryKeys(const Text& catalog, const Text& schema, const Text& table) {
  Args args = scoped(catalog, schema);
  args.push_back(text(table));
  return view(METHOD_getPrimaryKeys, args);
}

Ref<RelationView> SessionMetaData::getImportedKeys(const Text& catalog, const Text& schema, const Text& table) {
  Args args = scoped(catalog, schema);
  args.push_back(text(table));
  return view(METHOD_getImportedKeys, args);
}

Ref<RelationView> SessionMetaData::getExportedKeys(const Text& catalog, const Text& schema, const Text& table) {
  Args args = scoped(catalog, schema);
  args.push_back(text(table));
  return view(METHOD_getExportedKeys, args);
}

Ref<RelationView> SessionMetaData::getCrossReference(const Text& primaryCatalog, const Text& primarySchema,
                                                     const Text& primaryTable, const Text& foreignCatalog,
                                                     const Text& foreignSchema, const Text& foreignTable) {
  return view(METHOD_getCrossReference, {text(primaryCatalog), text(primarySchema), text(primaryTable),
                                         text(foreignCatalog), text(foreignSchema), text(foreignTable)});
}

Ref<RelationView> SessionMetaData::getIndexInfo(const Text& catalog, const Text& schema, const Text& table, bool unique,
                                                bool approximate) {
  Args args = scoped(catalog, schema);
  args.push_back(text(table));
  args.push_back(net::Param::ofBoolean(0, unique));
  args.push_back(net::Param::ofBoolean(0, approximate));
  return view(METHOD_getIndexInfo, args);
}

}  // namespace quenlora::zafoli::db::pro
