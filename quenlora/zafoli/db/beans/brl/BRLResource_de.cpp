#include "quenlora/zafoli/db/beans/brl/BRLResource.h"

namespace quenlora::zafoli::db::beans::brl {

const std::vector<plat::text::BundleEntry>& BRLResource_de::getContents() const {
  static const std::vector<plat::text::BundleEntry> contents = {
      {"", ""},
      {"<Calculation Not Performed>", "<Berechnung nicht ausgeführt>"},
      {"<Validation Not Performed>", "<Prüfung nicht ausgeführt>"},
      {"<Calculation Failed>", "<Berechnung fehlgeschlagen>"},
      {"add( ?,?,?,... )", "addiere( ?,?,?,... )"},
      {"Calculation Formulas", "Berechnungsformeln"},
      {"Get current date as yyyy-mm-dd", "Aktuelles Datum als jjjj-mm-tt"},
      {"Get the current time as hh:mi:ss", "Aktuelle Uhrzeit als hh:mi:ss"},
      {"add( ?,? )", "addiere( ?,? )"},
      {"Exception while performing date calculation:", "Ausnahme bei der Datumsberechnung:"},
      {"Invalid output data type selected for date function",
       "Ungültiger Ausgabedatentyp für die Datumsfunktion gewählt"},
      {"DateAdd operation requires only two inputs", "Die Operation DateAdd erfordert genau zwei Eingaben"},
      {"DateSubtract operation requires only two inputs", "Die Operation DateSubtract erfordert genau zwei Eingaben"},
      {"Inputs should be of Date and integer type", "Die Eingaben müssen vom Typ Datum und Ganzzahl sein"},
      {"subtract( ?,?,?,... )", "subtrahiere( ?,?,?,... )"},
      {"subtract( ?,?,?,... )", "subtrahiere( ?,?,?,... )"},
      {"Exception while performing calculation:", "Ausnahme bei der Berechnung:"},
      {"division( ... )", "division( ... )"},
      {"max( ?,?,?,... )", "max( ?,?,?,... )"},
      {"min( ?,?,?,... )", "min( ?,?,?,... )"},
      {"multiply( ?,?,?... )", "multipliziere( ?,?,?... )"},
      {"concat( ?,?,?... )", "verkette( ?,?,?... )"},
      {"( {column/constant} {operator} {column/constant} )", "( {Spalte/Konstante} {Operator} {Spalte/Konstante} )"},
      {"Validation Formulas", "Prüfformeln"},
      {"Exception while validating data", "Ausnahme bei der Datenprüfung"},
      {"Validation could not be performed due to exception while ", "Die Prüfung konnte wegen einer Ausnahme beim "},
      {"converting data. Check the datatype for inputs to the ",
       "Umwandeln der Daten nicht ausgeführt werden. Prüfen Sie die Datentypen der Eingaben der "},
      {"validation formula.", "Prüfformel."},
      {"Inputs to date validation should be of date type", "Die Eingaben der Datumsprüfung müssen vom Typ Datum sein"},
  };
  return contents;
}

}  // namespace quenlora::zafoli::db::beans::brl
