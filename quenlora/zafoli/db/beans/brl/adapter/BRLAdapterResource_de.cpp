#include "quenlora/zafoli/db/beans/brl/adapter/BRLAdapterResource.h"

namespace quenlora::zafoli::db::beans::brl::adapter {

const std::vector<plat::text::BundleEntry>& BRLAdapterResource_de::getContents() const {
  static const std::vector<plat::text::BundleEntry> contents = {
      {"Calculation Rule Type", "Berechnung anwenden auf"},
      {"Calculation Output Datatype", "Ausgabedatentyp"},
      {"Calculation Class", "Berechnungsklasse"},
      {"Calculation Inputs", "Eingaben der Berechnung"},
      {"Calculation Alias name", "Aliasname"},
      {"Calculation Output name", "Name der Berechnungsausgabe"},
      {"Calculation DataBinding", "Datenbindungsname"},
      {"Aggregate Calculation Class", "Klasse der Aggregatberechnung"},
      {"Validation Rule Type", "Prüfung anwenden auf"},
      {"Validation Class", "Prüfklasse"},
      {"Validation Inputs", "Eingaben der Prüfung"},
      {"Validation Operators", "Vergleichsoperator"},
      {"Validation Targets", "Vergleichseingaben"},
      {"Validation Message", "Eigene Meldung"},
      {"Validation dialog", "Dialog anzeigen, wenn die Prüfung fehlschlägt"},
      {"Validation log", "Meldung im Protokoll ausgeben"},
      {"Validation output name", "Name der Prüfausgabe"},
      {"Folder Name", "Datenquelle"},
      {"Toolbar Name", "Datenquelle"},
      {"No class name has been specified", "Es wurde kein Klassenname angegeben"},
      {"Either Calculation or Validation needs to be implemented",
       "Calculation oder Validation muss implementiert werden"},
      {"Exception while calculating aggregate: ", "Ausnahme bei der Aggregatberechnung: "},
      {"CalculationAdapter/ValidationAdapter can respond to only one Query Navigator record/column events",
       "CalculationAdapter/ValidationAdapter kann nur auf Datensatz-/Spaltenereignisse eines einzigen Query Navigators "
       "reagieren"},
      {"using ", "mit "},
      {".", "."},
      {"Calculation performed for:", "Berechnung ausgeführt für:"},
      {"Casting to Calculation failed", "Umwandlung in Calculation fehlgeschlagen"},
      {"Calculation Output Name property is not set. Please set this property for the CalculationAdapter before "
       "proceeding",
       "Die Eigenschaft Name der Berechnungsausgabe ist nicht gesetzt. Bitte setzen Sie diese Eigenschaft für den "
       "CalculationAdapter, bevor Sie fortfahren"},
      {"Validation Output Name property is not set. Please set this property for the ValidationAdapter before "
       "proceeding",
       "Die Eigenschaft Name der Prüfausgabe ist nicht gesetzt. Bitte setzen Sie diese Eigenschaft für den "
       "ValidationAdapter, bevor Sie fortfahren"},
      {"Exception from Validation Adapter:", "Ausnahme vom Validation Adapter:"},
      {"Validation performed for:", "Prüfung ausgeführt für:"},
      {"Validation failed for the specified rule", "Die Prüfung der angegebenen Regel ist fehlgeschlagen"},
      {"OK", "OK"},
      {"Aggregate calculation cannot be applied to rule",
       "Die Aggregatberechnung kann nicht auf die Regel angewendet werden"},
      {"Change the adapter to perform the calculation for single row change",
       "Stellen Sie den Adapter auf die Berechnung bei Änderung einer einzelnen Zeile um"},
      {"Row", "Zeile"},
      {"Set of Rows", "Zeilenmenge"},
      {"Column", "Spalte"},
      {"Constant", "Konstante"},
      {"AdapterConstants_DEFAULTFONT_SIZE", 11},
      {"AdapterConstants_WIZARD_HEIGHT", 400},
      {"AdapterConstants_WIZARD_WIDTH", 480},
      {"AdapterConstants_PROPEDITOR_WIDTH", 450},
      {"AdapterConstants_PROPEDITOR_HEIGHT", 350},
  };
  return contents;
}

}  // namespace quenlora::zafoli::db::beans::brl::adapter
