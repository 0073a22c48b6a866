// The failed-record request of the dialog service: the window that shows a record a save could not write, with
// the failure in three read-only tabs and the record in a table that allows no selection, and asks what to do with
// a row of buttons. Only a button closes it: the close box and Escape do nothing. The answer is the index of the
// button pressed; a service that has no user to ask answers unattendedAnswer.
#pragma once

#include <string>
#include <vector>

#include "platform/gui/DialogGeometry.h"

namespace plat::gui {

struct FailedRecordTab {
  std::string title;
  std::string text;
};

struct FailedRecordRequest {
  std::string title;
  unsigned background = 0xCCCCCC;    // RGB
  std::vector<std::string> buttons;  // in order, in a row at the bottom
  int unattendedAnswer = 0;

  std::vector<FailedRecordTab> tabs;  // the first is selected
  // The record: column 0 is the state column; every row has one text per column.
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;
  std::vector<int> modifiedColumns;    // indexes into columns
  unsigned stateColour = 0xFFFF00;     // RGB of the state column's cells and header
  unsigned modifiedColour = 0xFF0000;  // RGB of the modified columns' cells
  std::string stateTip;
  std::string modifiedTip;
  int tableWidth = 350;  // the table's preferred size
  int tableHeight = 60;

  Placement placement;
};

}  // namespace plat::gui
