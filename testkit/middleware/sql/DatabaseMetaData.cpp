#include "testkit/middleware/sql/DatabaseMetaData.h"

#include <array>
#include <optional>
#include <string>
#include <variant>

#include "platform/sql/ResultSet.h"
#include "testkit/middleware/sql/ProxyJDBCResultSet.h"
#include "testkit/middleware/sql/SqlWire.h"

namespace testkit::middleware::sql {
namespace {

using Md = plat::sql::DatabaseMetaData;
using BoolFn = bool (Md::*)();
using TextFn = std::string (Md::*)();
using IntFn = int (Md::*)();
// A method without arguments and its reply kind; monostate for the methods with arguments.
using Plain = std::variant<std::monostate, BoolFn, TextFn, IntFn>;

const std::array<Plain, DatabaseMetaData::kMethodCount>& plainMethods() {
  static const std::array<Plain, DatabaseMetaData::kMethodCount> table = [] {
    std::array<Plain, DatabaseMetaData::kMethodCount> t{};
    t[0] = &Md::allProceduresAreCallable;
    t[1] = &Md::allTablesAreSelectable;
    t[2] = &Md::getURL;
    t[3] = &Md::getUserName;
    t[4] = &Md::isReadOnly;
    t[5] = &Md::nullsAreSortedHigh;
    t[6] = &Md::nullsAreSortedLow;
    t[7] = &Md::nullsAreSortedAtStart;
    t[8] = &Md::nullsAreSortedAtEnd;
    t[9] = &Md::getDatabaseProductName;
    t[10] = &Md::getDatabaseProductVersion;
    t[11] = &Md::getDriverName;
    t[12] = &Md::getDriverVersion;
    t[13] = &Md::getDriverMajorVersion;
    t[14] = &Md::getDriverMinorVersion;
    t[15] = &Md::usesLocalFiles;
    t[16] = &Md::usesLocalFilePerTable;
    t[17] = &Md::supportsMixedCaseIdentifiers;
    t[18] = &Md::storesUpperCaseIdentifiers;
    t[19] = &Md::storesLowerCaseIdentifiers;
    t[20] = &Md::storesMixedCaseIdentifiers;
    t[21] = &Md::supportsMixedCaseQuotedIdentifiers;
    t[22] = &Md::storesUpperCaseQuotedIdentifiers;
    t[23] = &Md::storesLowerCaseQuotedIdentifiers;
    t[24] = &Md::storesMixedCaseQuotedIdentifiers;
    t[25] = &Md::getIdentifierQuoteString;
    t[26] = &Md::getSQLKeywords;
    t[27] = &Md::getNumericFunctions;
    t[28] = &Md::getStringFunctions;
    t[29] = &Md::getSystemFunctions;
    t[30] = &Md::getTimeDateFunctions;
    t[31] = &Md::getSearchStringEscape;
    t[32] = &Md::getExtraNameCharacters;
    t[33] = &Md::supportsAlterTableWithAddColumn;
    t[34] = &Md::supportsAlterTableWithDropColumn;
    t[35] = &Md::supportsColumnAliasing;
    t[36] = &Md::nullPlusNonNullIsNull;
    t[37] = static_cast<BoolFn>(&Md::supportsConvert);
    t[39] = &Md::supportsTableCorrelationNames;
    t[40] = &Md::supportsDifferentTableCorrelationNames;
    t[41] = &Md::supportsExpressionsInOrderBy;
    t[42] = &Md::supportsOrderByUnrelated;
    t[43] = &Md::supportsGroupBy;
    t[44] = &Md::supportsGroupByUnrelated;
    t[45] = &Md::supportsGroupByBeyondSelect;
    t[46] = &Md::supportsLikeEscapeClause;
    t[47] = &Md::supportsMultipleResultSets;
    t[48] = &Md::supportsMultipleTransactions;
    t[49] = &Md::supportsNonNullableColumns;
    t[50] = &Md::supportsMinimumSQLGrammar;
    t[51] = &Md::supportsCoreSQLGrammar;
    t[52] = &Md::supportsExtendedSQLGrammar;
    t[53] = &Md::supportsIntegrityEnhancementFacility;
    t[54] = &Md::supportsOuterJoins;
    t[55] = &Md::supportsFullOuterJoins;
    t[56] = &Md::supportsLimitedOuterJoins;
    t[57] = &Md::getSchemaTerm;
    t[58] = &Md::getProcedureTerm;
    t[59] = &Md::getCatalogTerm;
    t[60] = &Md::isCatalogAtStart;
    t[61] = &Md::getCatalogSeparator;
    t[62] = &Md::supportsSchemasInDataManipulation;
    t[63] = &Md::supportsSchemasInProcedureCalls;
    t[64] = &Md::supportsSchemasInTableDefinitions;
    t[65] = &Md::supportsSchemasInIndexDefinitions;
    t[66] = &Md::supportsSchemasInPrivilegeDefinitions;
    t[67] = &Md::supportsCatalogsInDataManipulation;
    t[68] = &Md::supportsCatalogsInProcedureCalls;
    t[69] = &Md::supportsCatalogsInTableDefinitions;
    t[70] = &Md::supportsCatalogsInIndexDefinitions;
    t[71] = &Md::supportsCatalogsInPrivilegeDefinitions;
    t[72] = &Md::supportsPositionedDelete;
    t[73] = &Md::supportsPositionedUpdate;
    t[74] = &Md::supportsSelectForUpdate;
    t[75] = &Md::supportsStoredProcedures;
    t[76] = &Md::supportsSubqueriesInComparisons;
    t[77] = &Md::supportsSubqueriesInExists;
    t[78] = &Md::supportsSubqueriesInIns;
    t[79] = &Md::supportsSubqueriesInQuantifieds;
    t[80] = &Md::supportsCorrelatedSubqueries;
    t[81] = &Md::supportsUnion;
    t[82] = &Md::supportsUnionAll;
    t[83] = &Md::supportsOpenCursorsAcrossCommit;
    t[84] = &Md::supportsOpenCursorsAcrossRollback;
    t[85] = &Md::supportsOpenStatementsAcrossCommit;
    t[86] = &Md::supportsOpenStatementsAcrossRollback;
    t[87] = &Md::getMaxBinaryLiteralLength;
    t[88] = &Md::getMaxCharLiteralLength;
    t[89] = &Md::getMaxColumnNameLength;
    t[90] = &Md::getMaxColumnsInGroupBy;
    t[91] = &Md::getMaxColumnsInIndex;
    t[92] = &Md::getMaxColumnsInOrderBy;
    t[93] = &Md::getMaxColumnsInSelect;
    t[94] = &Md::getMaxColumnsInTable;
    t[95] = &Md::getMaxConnections;
    t[96] = &Md::getMaxCursorNameLength;
    t[97] = &Md::getMaxIndexLength;
    t[98] = &Md::getMaxSchemaNameLength;
    t[99] = &Md::getMaxProcedureNameLength;
    t[100] = &Md::getMaxCatalogNameLength;
    t[101] = &Md::getMaxRowSize;
    t[102] = &Md::doesMaxRowSizeIncludeBlobs;
    t[103] = &Md::getMaxStatementLength;
    t[104] = &Md::getMaxStatements;
    t[105] = &Md::getMaxTableNameLength;
    t[106] = &Md::getMaxTablesInSelect;
    t[107] = &Md::getMaxUserNameLength;
    t[108] = &Md::getDefaultTransactionIsolation;
    t[109] = &Md::supportsTransactions;
    t[111] = &Md::supportsDataDefinitionAndDataManipulationTransactions;
    t[112] = &Md::supportsDataManipulationTransactionsOnly;
    t[113] = &Md::dataDefinitionCausesTransactionCommit;
    t[114] = &Md::dataDefinitionIgnoredInTransactions;
    t[132] = &Md::supportsANSI92EntryLevelSQL;
    t[133] = &Md::supportsANSI92IntermediateSQL;
    t[134] = &Md::supportsANSI92FullSQL;
    return t;
  }();
  return table;
}

// The caller's catalog or schema: an empty text selects nothing by it.
Md::OptionalText part(const ArgReader& a, std::size_t i) {
  std::string text = a.text(i);
  if (text.empty()) return std::nullopt;
  return text;
}

}  // namespace

std::vector<Encoded> DatabaseMetaData::invoke(int method, const std::vector<Arg>& args) {
  return scope_->call([&]() -> std::vector<Encoded> {
    const ArgReader a(args, "DatabaseMetaData", method);
    if (method < 0 || method >= kMethodCount) noSuchMethod("DatabaseMetaData", method);
    if (method >= METHOD_getProcedures && method <= METHOD_getIndexInfo) return catalogQuery(method, a);
    if (method == METHOD_supportsConvert2) return {SqlEncode::boolean(md_->supportsConvert(a.int32(0), a.int32(1)))};
    if (method == METHOD_supportsTransactionIsolationLevel) {
      return {SqlEncode::boolean(md_->supportsTransactionIsolationLevel(a.int32(0)))};
    }
    const Plain& entry = plainMethods()[static_cast<std::size_t>(method)];
    Md& md = *md_;
    if (const auto* f = std::get_if<BoolFn>(&entry)) return {SqlEncode::boolean((md.**f)())};
    if (const auto* f = std::get_if<TextFn>(&entry)) return {SqlEncode::text((md.**f)())};
    if (const auto* f = std::get_if<IntFn>(&entry)) return {MwEncode::dataInt((md.**f)())};
    noSuchMethod("DatabaseMetaData", method);
  });
}

std::vector<Encoded> DatabaseMetaData::catalogQuery(int method, const ArgReader& a) {
  Md& md = *md_;
  plat::lang::Ref<plat::sql::ResultSet> rs;
  switch (method) {
    case 115:
      rs = md.getProcedures(part(a, 0), part(a, 1), a.text(2));
      break;
    case 116:
      rs = md.getProcedureColumns(part(a, 0), part(a, 1), a.text(2), a.text(3));
      break;
    case 117: {
      std::optional<std::vector<std::string>> types;
      if (a.size() > 3) types = a.textsFrom(3);
      rs = md.getTables(part(a, 0), part(a, 1), a.text(2), types);
      break;
    }
    case 118:
      rs = md.getSchemas();
      break;
    case 119:
      rs = md.getCatalogs();
      break;
    case 120:
      rs = md.getTableTypes();
      break;
    case 121:
      rs = md.getColumns(part(a, 0), part(a, 1), a.text(2), a.text(3));
      break;
    case 122:
      rs = md.getColumnPrivileges(part(a, 0), part(a, 1), a.text(2), a.text(3));
      break;
    case 123:
      rs = md.getTablePrivileges(part(a, 0), part(a, 1), a.text(2));
      break;
    case 124:
      rs = md.getBestRowIdentifier(part(a, 0), part(a, 1), a.text(2), a.int32(3), a.boolean(4));
      break;
    case 125:
      rs = md.getVersionColumns(part(a, 0), part(a, 1), a.text(2));
      break;
    case 126:
      rs = md.getPrimaryKeys(part(a, 0), part(a, 1), a.text(2));
      break;
    case 127:
      rs = md.getImportedKeys(part(a, 0), part(a, 1), a.text(2));
      break;
    case 128:
      rs = md.getExportedKeys(part(a, 0), part(a, 1), a.text(2));
      break;
    case 129:
      rs = md.getCrossReference(part(a, 0), part(a, 1), a.text(2), part(a, 3), part(a, 4), a.text(5));
      break;
    case 130:
      rs = md.getTypeInfo();
      break;
    case 131:
      rs = md.getIndexInfo(part(a, 0), part(a, 1), a.text(2), a.boolean(3), a.boolean(4));
      break;
    default:
      noSuchMethod("DatabaseMetaData", method);
  }
  return ProxyJDBCResultSet::open(scope_, std::move(rs), ProxyJDBCResultSet::Longs::Inline);
}

}  // namespace testkit::middleware::sql
