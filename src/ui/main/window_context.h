#pragma once
// What the pages of the main window share: the state the main window owns for the whole run.
#include <QString>
#include <QWidget>
#include <vector>

#include "engine/layout_model.h"
#include "model/job_tables.h"
#include "model/messages.h"
#include "model/model_ui.h"
#include "model/options.h"
#include "ui/main/material_textures.h"
#include "ui/main/prompts.h"
#include "ui/main/table_commands.h"

namespace kelvara {

struct WindowContext {
  Options& options;
  MessageTable& messages;
  JobTables& tables;
  LayoutModel& model;
  MaterialTextures& textures;
  TableCommands& commands;
  Prompts*& prompts;
  ModelUi& ui;
  QWidget* window;  // parent of message boxes

  QString Msg(int n) const { return QString::fromStdString(messages.Msg(n)); }
  bool Ask(int msg) const { return prompts->Ask(window, Msg(msg)); }
};

}  // namespace kelvara
