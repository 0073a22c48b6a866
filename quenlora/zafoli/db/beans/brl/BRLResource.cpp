#include "quenlora/zafoli/db/beans/brl/BRLResource.h"

namespace quenlora::zafoli::db::beans::brl {

const std::vector<plat::text::BundleEntry>& BRLResource::getContents() const {
  static const std::vector<plat::text::BundleEntry> contents = {
      {"", ""},
      {"<Calculation Not Performed>", "<Calculation Not Performed>"},
      {"<Validation Not Performed>", "<Validation Not Performed>"},
      {"<Calculation Failed>", "<Calculation Failed>"},
      {"add( ?,?,?,... )", "add( ?,?,?,... )"},
      {"Calculation Formulas", "Calculation Formulas"},
      {"Get current date as yyyy-mm-dd", "Get current date as yyyy-mm-dd"},
      {"Get the current time as hh:mi:ss", "Get the current time as hh:mi:ss"},
      {"add( ?,? )", "add( ?,? )"},
      {"Exception while performing date calculation:", "Exception while performing date calculation:"},
      {"Invalid output data type selected for date function", "Invalid output data type selected for date function"},
      {"DateAdd operation requires only two inputs", "DateAdd operation requires only two inputs"},
      {"DateSubtract operation requires only two inputs", "DateSubtract operation requires only two inputs"},
      {"Inputs should be of Date and integer type", "Inputs should be of Date and integer type"},
      {"subtract( ?,?,?,... )", "subtract( ?,?,?,... )"},
      {"subtract( ?,?,?,... )", "subtract( ?,?,?,... )"},
      {"Exception while performing calculation:", "Exception while performing calculation:"},
      {"division( ... )", "division( ... )"},
      {"max( ?,?,?,... )", "max( ?,?,?,... )"},
      {"min( ?,?,?,... )", "min( ?,?,?,... )"},
      {"multiply( ?,?,?... )", "multiply( ?,?,?... )"},
      {"concat( ?,?,?... )", "concat( ?,?,?... )"},
      {"( {column/constant} {operator} {column/constant} )", "( {column/constant} {operator} {column/constant} )"},
      {"Validation Formulas", "Validation Formulas"},
      {"Exception while validating data", "Exception while validating data"},
      {"Validation could not be performed due to exception while ",
       "Validation could not be performed due to exception while "},
      {"converting data. Check the datatype for inputs to the ",
       "converting data. Check the datatype for inputs to the "},
      {"validation formula.", "validation formula."},
      {"Inputs to date validation should be of date type", "Inputs to date validation should be of date type"},
  };
  return contents;
}

}  // namespace quenlora::zafoli::db::beans::brl
