#include "quenlora/zafoli/db/beans/jdbc/JdbcResource.h"

namespace quenlora::zafoli::db::beans::jdbc {

const std::vector<plat::text::BundleEntry>& JdbcResource_de::getContents() const {
  static const std::vector<plat::text::BundleEntry> contents = {
      {"ConnectFailed OK", "OK"},
      {"ConnectFailed Cancel", "Abbrechen"},
      {"ConnectFailed UserName", "Benutzername:"},
      {"ConnectFailed Password", "Kennwort:"},
      {"ConnectFailed URL", "URL:"},
      {"ConnectFailed URLvalue", "URL-Wert"},
      {"ConnectFailed Untitled", "Unbenannt"},
      {"There is no JdbcConnection", "Es gibt keine JdbcConnection"},
      {"The number of '?' in the SQL text does not match the number of parameters in the meta data",
       "Die Anzahl der '?' im SQL-Text stimmt nicht mit der Anzahl der Parameter in den Metadaten überein"},
      {"Duplicated parameter's indeces", "Doppelte Parameterindizes"},
      {"There is no SQL text", "Es gibt keinen SQL-Text"},
      {"There is no metadata for the parameter with index: ",
       "Es gibt keine Metadaten für den Parameter mit dem Index: "},
      {"There is a parameter with an index greater than the total number of parameters",
       "Ein Parameter hat einen Index, der größer als die Gesamtzahl der Parameter ist"},
      {"The name of a parameter is not supported (not a Java identifier). The parameter index is: ",
       "Der Name eines Parameters wird nicht unterstützt (kein Java-Bezeichner). Der Parameterindex ist: "},
      {"The name of a ResultSet column is not supported (not a Java identifier). The column index is: ",
       "Der Name einer ResultSet-Spalte wird nicht unterstützt (kein Java-Bezeichner). Der Spaltenindex ist: "},
      {"The parameter names must be unique.", "Die Parameternamen müssen eindeutig sein."},
      {"The ResultSet column names must be unique.", "Die Spaltennamen des ResultSet müssen eindeutig sein."},
      {"JDBC", "Datenquelle"},
      {"Connection Manager", "Verbindungsmanager"},
      {"JDBC Connection", "JDBC-Verbindung"},
      {"SQL Text", "SQL-Text"},
      {"Parameters", "Parameter"},
      {"Input Parameter Binding", "Bindung der Eingabeparameter"},
      {"Result Set Columns", "Spalten der Ergebnismenge"},
      {"Alias Name", "Aliasname"},
      {"Auto Start", "Autostart"},
      {"Procedure Name", "Prozedurname"},
      {"Unknown parameter type.", "Ändern Sie alle Parameter vom Typ 'Unbekannt' in einen anderen Typ."},
      {"More than one return values.", "Es darf nur einen Parameter vom Typ 'Rückgabewert' geben."},
      {"Invalid parameter index.", "Ein Parameter 'Rückgabewert' muss an der ersten Indexposition stehen."},
      {"More than 1 parameters with the same index.", "Mehr als ein Parameter mit demselben Index."},
      {"BaseRecordDefinition_Unexpected", "Unerwarteter Fehler in: "},
      {"BaseRecordDefinition_Overridden", "Die folgende Methode muss überschrieben werden: "},
      {"BaseRecordDefinition_MismatchResult", "Die folgende Spalte wurde in der Ergebnismenge nicht gefunden: "},
      {"BaseRecordDefinition_InvalidDatatype", "Der folgende Datentyp ist ungültig: "},
      {"BaseRecordDefinition_WrongDate", "Umwandlung in ein Datum nicht möglich."},
      {"BaseRecordDefinition_InvalidSize", "Die maximale Breite für Spalte "},
      {"BaseRecordDefinition_Is", " ist: "},
      {"SQLRecordDefinition_NotApply", "Die folgende Methode ist bei Verwendung eines SQL-Adapters nicht anwendbar: "},
      {"SQLRecordDefinition_NoSQL", "Es gibt keinen SQL-Adapter."},
      {"SQLRecordDefinition_NoResult", "Es gibt keine Ergebnismenge."},
      {"SQLRecordDefinition_Help1", "Sie haben versucht, die Operation "},
      {"SQLRecordDefinition_Help2",
       " auf Daten aus der gespeicherten Prozedur oder dem SQL-Adapter auszuführen.  Standardmäßig ist die "
       "Ergebnismenge der gespeicherten Prozedur oder des SQL-Adapters schreibgeschützt und kann nicht geändert "
       "werden.  Um die Funktion "},
      {"SQLRecordDefinition_Help3", " zu erhalten, müssen Sie die Methode \""},
      {"SQLRecordDefinition_Help4", "\" in der Klasse implementieren, die SQLRecordDefinition erweitert. "},
      {"RecordDefinition_NotApply", "Die folgende Methode ist ohne SQL-Adapter nicht anwendbar: "},
      {"Query Navigator", "Abfragenavigator"},
      {"Stored Procedure Adapter", "Adapter für gespeicherte Prozeduren"},
      {"", ""},
  };
  return contents;
}

}  // namespace quenlora::zafoli::db::beans::jdbc
