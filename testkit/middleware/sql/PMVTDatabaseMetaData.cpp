#include "testkit/middleware/sql/PMVTDatabaseMetaData.h"

namespace testkit::middleware::sql {

namespace {

// The caller's catalog or schema: an empty text selects nothing by it.
plat::sql::DatabaseMetaData::OptionalText part(const ArgReader& a, std::size_t i) {
  std::string text = a.text(i);
  if (text.empty()) return std::nullopt;
  return text;
}
}  // namespace

std::vector<Encoded> PMVTDatabaseMetaData::snapshot(std::int32_t id) {
  plat::sql::DatabaseMetaData& md = *md_;
  RecordSetTerms& terms = *session_->terms;
  std::lock_guard lock(terms.mu);
  std::vector<Encoded> out{MwEncode::dataInt(id)};
  out.push_back(SqlEncode::boolean(md.allProceduresAreCallable()));
  out.push_back(SqlEncode::boolean(md.allTablesAreSelectable()));
  out.push_back(SqlEncode::boolean(md.isReadOnly()));
  out.push_back(SqlEncode::boolean(md.nullsAreSortedHigh()));
  out.push_back(SqlEncode::boolean(md.nullsAreSortedLow()));
  out.push_back(SqlEncode::boolean(md.nullsAreSortedAtStart()));
  out.push_back(SqlEncode::boolean(md.nullsAreSortedAtEnd()));
  out.push_back(SqlEncode::boolean(md.isCatalogAtStart()));
  out.push_back(SqlEncode::boolean(md.usesLocalFiles()));
  out.push_back(SqlEncode::boolean(md.usesLocalFilePerTable()));
  out.push_back(SqlEncode::boolean(md.supportsMixedCaseIdentifiers()));
  out.push_back(SqlEncode::boolean(md.storesUpperCaseIdentifiers()));
  out.push_back(SqlEncode::boolean(md.storesLowerCaseIdentifiers()));
  out.push_back(SqlEncode::boolean(md.storesMixedCaseIdentifiers()));
  out.push_back(SqlEncode::boolean(md.supportsMixedCaseQuotedIdentifiers()));
  out.push_back(SqlEncode::boolean(md.storesUpperCaseQuotedIdentifiers()));
  out.push_back(SqlEncode::boolean(md.storesLowerCaseQuotedIdentifiers()));
  out.push_back(SqlEncode::boolean(md.storesMixedCaseQuotedIdentifiers()));
  out.push_back(SqlEncode::boolean(md.supportsAlterTableWithAddColumn()));
  out.push_back(SqlEncode::boolean(md.supportsAlterTableWithDropColumn()));
  out.push_back(SqlEncode::boolean(md.supportsTableCorrelationNames()));
  out.push_back(SqlEncode::boolean(md.supportsDifferentTableCorrelationNames()));
  out.push_back(SqlEncode::boolean(md.supportsColumnAliasing()));
  out.push_back(SqlEncode::boolean(md.supportsNonNullableColumns()));
  out.push_back(SqlEncode::boolean(md.nullPlusNonNullIsNull()));
  out.push_back(SqlEncode::boolean(md.supportsExpressionsInOrderBy()));
  out.push_back(SqlEncode::boolean(md.supportsOrderByUnrelated()));
  out.push_back(SqlEncode::boolean(md.supportsGroupBy()));
  out.push_back(SqlEncode::boolean(md.supportsGroupByUnrelated()));
  out.push_back(SqlEncode::boolean(md.supportsGroupByBeyondSelect()));
  out.push_back(SqlEncode::boolean(md.supportsOuterJoins()));
  out.push_back(SqlEncode::boolean(md.supportsFullOuterJoins()));
  out.push_back(SqlEncode::boolean(md.supportsLimitedOuterJoins()));
  out.push_back(SqlEncode::boolean(md.supportsLikeEscapeClause()));
  out.push_back(SqlEncode::boolean(md.supportsMultipleResultSets()));
  out.push_back(SqlEncode::boolean(md.supportsMultipleTransactions()));
  out.push_back(SqlEncode::boolean(md.supportsOpenCursorsAcrossCommit()));
  out.push_back(SqlEncode::boolean(md.supportsOpenCursorsAcrossRollback()));
  out.push_back(SqlEncode::boolean(md.supportsOpenStatementsAcrossCommit()));
  out.push_back(SqlEncode::boolean(md.supportsOpenStatementsAcrossRollback()));
  out.push_back(SqlEncode::boolean(md.supportsTransactions()));
  out.push_back(SqlEncode::boolean(md.supportsDataDefinitionAndDataManipulationTransactions()));
  out.push_back(SqlEncode::boolean(md.supportsDataManipulationTransactionsOnly()));
  out.push_back(SqlEncode::boolean(md.supportsMinimumSQLGrammar()));
  out.push_back(SqlEncode::boolean(md.supportsCoreSQLGrammar()));
  out.push_back(SqlEncode::boolean(md.supportsExtendedSQLGrammar()));
  out.push_back(SqlEncode::boolean(md.supportsIntegrityEnhancementFacility()));
  out.push_back(SqlEncode::boolean(md.supportsSchemasInDataManipulation()));
  out.push_back(SqlEncode::boolean(md.supportsSchemasInProcedureCalls()));
  out.push_back(SqlEncode::boolean(md.supportsSchemasInTableDefinitions()));
  out.push_back(SqlEncode::boolean(md.supportsSchemasInIndexDefinitions()));
  out.push_back(SqlEncode::boolean(md.supportsSchemasInPrivilegeDefinitions()));
  out.push_back(SqlEncode::boolean(md.supportsCatalogsInDataManipulation()));
  out.push_back(SqlEncode::boolean(md.supportsCatalogsInProcedureCalls()));
  out.push_back(SqlEncode::boolean(md.supportsCatalogsInTableDefinitions()));
  out.push_back(SqlEncode::boolean(md.supportsCatalogsInIndexDefinitions()));
  out.push_back(SqlEncode::boolean(md.supportsCatalogsInPrivilegeDefinitions()));
  out.push_back(SqlEncode::boolean(md.supportsPositionedDelete()));
  out.push_back(SqlEncode::boolean(md.supportsPositionedUpdate()));
  out.push_back(SqlEncode::boolean(md.supportsSelectForUpdate()));
  out.push_back(SqlEncode::boolean(md.supportsSubqueriesInComparisons()));
  out.push_back(SqlEncode::boolean(md.supportsSubqueriesInExists()));
  out.push_back(SqlEncode::boolean(md.supportsSubqueriesInIns()));
  out.push_back(SqlEncode::boolean(md.supportsSubqueriesInQuantifieds()));
  out.push_back(SqlEncode::boolean(md.supportsCorrelatedSubqueries()));
  out.push_back(SqlEncode::boolean(md.supportsUnion()));
  out.push_back(SqlEncode::boolean(md.supportsUnionAll()));
  out.push_back(SqlEncode::boolean(md.doesMaxRowSizeIncludeBlobs()));
  out.push_back(SqlEncode::boolean(md.supportsStoredProcedures()));
  out.push_back(SqlEncode::boolean(md.dataDefinitionCausesTransactionCommit()));
  out.push_back(SqlEncode::boolean(md.dataDefinitionIgnoredInTransactions()));
  out.push_back(SqlEncode::boolean(md.supportsANSI92EntryLevelSQL()));
  out.push_back(SqlEncode::boolean(md.supportsANSI92IntermediateSQL()));
  out.push_back(SqlEncode::boolean(md.supportsANSI92FullSQL()));
  out.push_back(MwEncode::dataInt(md.getMaxBinaryLiteralLength()));
  out.push_back(MwEncode::dataInt(md.getMaxCharLiteralLength()));
  out.push_back(MwEncode::dataInt(md.getMaxColumnNameLength()));
  out.push_back(MwEncode::dataInt(md.getMaxColumnsInGroupBy()));
  out.push_back(MwEncode::dataInt(md.getMaxColumnsInIndex()));
  out.push_back(MwEncode::dataInt(md.getMaxColumnsInOrderBy()));
  out.push_back(MwEncode::dataInt(md.getMaxColumnsInSelect()));
  out.push_back(MwEncode::dataInt(md.getMaxColumnsInTable()));
  out.push_back(MwEncode::dataInt(md.getMaxConnections()));
  out.push_back(MwEncode::dataInt(md.getMaxCursorNameLength()));
  out.push_back(MwEncode::dataInt(md.getMaxIndexLength()));
  out.push_back(MwEncode::dataInt(md.getMaxSchemaNameLength()));
  out.push_back(MwEncode::dataInt(md.getMaxProcedureNameLength()));
  out.push_back(MwEncode::dataInt(md.getMaxCatalogNameLength()));
  out.push_back(MwEncode::dataInt(md.getMaxRowSize()));
  out.push_back(MwEncode::dataInt(md.getMaxStatementLength()));
  out.push_back(MwEncode::dataInt(md.getMaxStatements()));
  out.push_back(MwEncode::dataInt(md.getMaxTableNameLength()));
  out.push_back(MwEncode::dataInt(md.getMaxTablesInSelect()));
  out.push_back(MwEncode::dataInt(md.getMaxUserNameLength()));
  out.push_back(MwEncode::dataInt(md.getDefaultTransactionIsolation()));
  out.push_back(SqlEncode::text(md.getUserName()));
  out.push_back(SqlEncode::text(md.getDatabaseProductName()));
  out.push_back(SqlEncode::text(md.getDatabaseProductVersion()));
  out.push_back(SqlEncode::text(terms.schemaTerm ? *terms.schemaTerm : md.getSchemaTerm()));
  out.push_back(SqlEncode::text(md.getProcedureTerm()));
  out.push_back(SqlEncode::text(terms.catalogTerm ? *terms.catalogTerm : md.getCatalogTerm()));
  out.push_back(SqlEncode::text(md.getCatalogSeparator()));
  out.push_back(SqlEncode::text(md.getSearchStringEscape()));
  out.push_back(SqlEncode::text(md.getExtraNameCharacters()));
  out.push_back(SqlEncode::text(md.getIdentifierQuoteString()));
  out.push_back(SqlEncode::text(md.getDriverName()));
  out.push_back(SqlEncode::text(md.getDriverVersion()));
  return out;
}

std::vector<Encoded> PMVTDatabaseMetaData::invoke(int method, const std::vector<Arg>& args) {
  return session_->scope->call([&]() -> std::vector<Encoded> {
    const ArgReader a(args, "PMVTDatabaseMetaData." + std::to_string(method));
    plat::sql::DatabaseMetaData& md = *md_;
    plat::lang::Ref<plat::sql::ResultSet> rs;
    switch (method) {
      case 3:
        return {SqlEncode::text(md.getSQLKeywords())};
      case 4:
        return {SqlEncode::text(md.getNumericFunctions())};
      case 5:
        return {SqlEncode::text(md.getStringFunctions())};
      case 6:
        return {SqlEncode::text(md.getSystemFunctions())};
      case 7:
        return {SqlEncode::boolean(md.supportsConvert())};
      case 8:
        return {SqlEncode::boolean(md.supportsConvert(a.int32(0), a.int32(1)))};
      case 9:
        return {SqlEncode::boolean(md.supportsTransactionIsolationLevel(a.int32(0)))};
      case 27:
        return {SqlEncode::text(md.getTimeDateFunctions())};
      case 10:
        rs = md.getProcedures(part(a, 0), part(a, 1), a.text(2));
        break;
      case 11:
        rs = md.getProcedureColumns(part(a, 0), part(a, 1), a.text(2), a.text(3));
        break;
      case 12: {
        std::optional<std::vector<std::string>> types;
        if (a.size() > 3) types = a.textsFrom(3);
        rs = md.getTables(part(a, 0), part(a, 1), a.text(2), types);
        break;
      }
      case 13:
        rs = md.getSchemas();
        break;
      case 14:
        rs = md.getCatalogs();
        break;
      case 15:
        rs = md.getTableTypes();
        break;
      case 16:
        rs = md.getColumns(part(a, 0), part(a, 1), a.text(2), a.text(3));
        break;
      case 17:
        rs = md.getColumnPrivileges(part(a, 0), part(a, 1), a.text(2), a.text(3));
        break;
      case 18:
        rs = md.getTablePrivileges(part(a, 0), part(a, 1), a.text(2));
        break;
      case 19:
        rs = md.getBestRowIdentifier(part(a, 0), part(a, 1), a.text(2), a.int32(3), a.boolean(4));
        break;
      case 20:
        rs = md.getVersionColumns(part(a, 0), part(a, 1), a.text(2));
        break;
      case 21:
        rs = md.getPrimaryKeys(part(a, 0), part(a, 1), a.text(2));
        break;
      case 22:
        rs = md.getImportedKeys(part(a, 0), part(a, 1), a.text(2));
        break;
      case 23:
        rs = md.getExportedKeys(part(a, 0), part(a, 1), a.text(2));
        break;
      case 24:
        rs = md.getCrossReference(part(a, 0), part(a, 1), a.text(2), part(a, 3), part(a, 4), a.text(5));
        break;
      case 25:
        rs = md.getTypeInfo();
        break;
      case 26:
        rs = md.getIndexInfo(part(a, 0), part(a, 1), a.text(2), a.boolean(3), a.boolean(4));
        break;
      default:
        noSuchMethod("PMVTDatabaseMetaData", method);
    }
    return openRowsView(session_, [&](RecordSetModel& m) { return m.addResultView(*rs); });
  });
}

}  // namespace testkit::middleware::sql
