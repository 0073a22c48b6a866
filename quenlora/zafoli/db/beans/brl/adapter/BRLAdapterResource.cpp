#include "quenlora/zafoli/db/beans/brl/adapter/BRLAdapterResource.h"

namespace quenlora::zafoli::db::beans::brl::adapter {

const std::vector<plat::text::BundleEntry>& BRLAdapterResource::getContents() const {
  static const std::vector<plat::text::BundleEntry> contents = {
      {"Calculation Rule Type", "Apply Calculation To"},
      {"Calculation Output Datatype", "Output Datatype"},
      {"Calculation Class", "Calculation Class"},
      {"Calculation Inputs", "Inputs for Calculation"},
      {"Calculation Alias name", "Alias name"},
      {"Calculation Output name", "Calculation Output Name"},
      {"Calculation DataBinding", "DataBinding Name"},
      {"Aggregate Calculation Class", "Aggregate Calculation Class"},
      {"Validation Rule Type", "Apply Validation To"},
      {"Validation Class", "Validation Class"},
      {"Validation Inputs", "Inputs for Validation"},
      {"Validation Operators", "Comparison operator"},
      {"Validation Targets", "Inputs used for comparison"},
      {"Validation Message", "Custom message"},
      {"Validation dialog", "Display dialog if validation fails"},
      {"Validation log", "Print message to log window"},
      {"Validation output name", "Validation Output Name"},
      {"Folder Name", "Data Source"},
      {"Toolbar Name", "Data Source"},
      {"No class name has been specified", "No class name has been specified"},
      {"Either Calculation or Validation needs to be implemented",
       "Either Calculation or Validation needs to be implemented"},
      {"Exception while calculating aggregate: ", "Exception while calculating aggregate: "},
      {"CalculationAdapter/ValidationAdapter can respond to only one Query Navigator record/column events",
       "CalculationAdapter/ValidationAdapter can respond to only one Query Navigator record/column events"},
      {"using ", "using "},
      {".", "."},
      {"Calculation performed for:", "Calculation performed for:"},
      {"Casting to Calculation failed", "Casting to Calculation failed"},
      {"Calculation Output Name property is not set. Please set this property for the CalculationAdapter before "
       "proceeding",
       "Calculation Output Name property is not set. Please set this property for the CalculationAdapter before "
       "proceeding"},
      {"Validation Output Name property is not set. Please set this property for the ValidationAdapter before "
       "proceeding",
       "Validation Output Name property is not set. Please set this property for the ValidationAdapter before "
       "proceeding"},
      {"Exception from Validation Adapter:", "Exception from Validation Adapter:"},
      {"Validation performed for:", "Validation performed for:"},
      {"Validation failed for the specified rule", "Validation failed for the specified rule"},
      {"OK", "OK"},
      {"Aggregate calculation cannot be applied to rule", "Aggregate calculation cannot be applied to rule"},
      {"Change the adapter to perform the calculation for single row change",
       "Change the adapter to perform the calculation for single row change"},
      {"Row", "Row"},
      {"Set of Rows", "Set of Rows"},
      {"Column", "Column"},
      {"Constant", "Constant"},
      {"AdapterConstants_DEFAULTFONT_SIZE", 11},
      {"AdapterConstants_WIZARD_HEIGHT", 400},
      {"AdapterConstants_WIZARD_WIDTH", 480},
      {"AdapterConstants_PROPEDITOR_WIDTH", 450},
      {"AdapterConstants_PROPEDITOR_HEIGHT", 350},
  };
  return contents;
}

}  // namespace quenlora::zafoli::db::beans::brl::adapter
