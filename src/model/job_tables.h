#pragma once
// The eight job tables and their rules.
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "model/material_list.h"
#include "model/messages.h"
#include "model/model_ui.h"
#include "model/options.h"
#include "model/table.h"

namespace kelvara {

// A key refused while typing into a grid field.
enum class KeyFilter { None, RefuseMinus, OnlyDigits012, RefuseAll };

class JobTables {
 public:
  JobTables(Options& options, const MessageTable& messages, ModelUi& ui);
  JobTables(const JobTables&) = delete;
  JobTables& operator=(const JobTables&) = delete;

  Table rxM;     // sheets
  Table rxD;     // parts
  Table rxOM;    // material names and saw widths
  Table rxT;     // edge band names
  Table rxN;     // frequently used notes
  Table RxDist;  // distance frame prices
  Table rxMat;   // storehouse
  Table rxSR;    // saved offcuts of the layout on view

  Options& options;
  const MessageTable& messages;
  ModelUi& ui;
  MaterialList materials;        // the items of both material boxes, in material order
  std::string programFolder;     // with a trailing "/"
  int storehouseMaterial = -1;   // selected in the storehouse's material list; -1 none
  bool materialBoxesFilled = false;  // rename rules of rxOM run only then
  int LastRotation = 0;
  std::string LastOrderNo;
  std::string OldMaterialName;
  std::string OldBandName;
  std::mt19937 random{std::random_device{}()};

  int MaterialCount() const { return materials.Count(); }
  // CurrentMaterial brought into the range of material numbers.
  int CurrentMaterial() const;
  std::string MaterialName(int num) const;   // "" outside the list
  int MaterialIndex(const std::string& name) const;  // -1 when not an item

  void Renumber(Table& t);
  double SawWidthOf(const std::string& material) const;
  bool ValidateSheets();
  bool ValidateParts();

  // Edge band names in table order (the toolbar box); the side boxes have "-" first.
  std::vector<std::string> BandNames() const;
  std::vector<std::string> SideBandItems() const;

  // Storehouse filter: only rows of storehouseMaterial (switched off with -1).
  void FilterStorehouse(bool on);
  // Renumbers the visible storehouse rows 1..k.
  void RenumberStorehouse();

  // The grid's key filter for a field of a table's current row.
  KeyFilter FilterFor(const Table& t, std::string_view field) const;
  static bool KeyAllowed(KeyFilter f, char32_t ch);

  // Rebuilds the rxOM rows: one per material with NC = number + 1, its list name and KW 0.
  void ResetMaterialNames();

 private:
  void InstallRules();
  void PostMaterialName();
  void PostBandName(bool appended);
  bool Validate(Table& t, int emptyMsg, int badMsg, Grid grid);
  bool bandRowAppended_ = false;
};

}  // namespace kelvara
