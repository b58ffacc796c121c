#pragma once

#include <span>

#include "ui/editor_form.h"

namespace tamberlin {

// The main window's tab sheets in tab order; positions used by name.
enum EditorTabIndex : int {
  kBasicTab = 0,
  kContactsTab = 7,
  kVfoTab = 15,
};

// One tab sheet: its caption, its objectName, and how its editor is made
// (nullptr: the sheet stays empty).
struct EditorTab {
  const char* caption;
  const char* sheetName;
  EditorForm* (*create)(EditorContext context, QWidget* parent);
};

std::span<const EditorTab> editorTabs();

// The factory for a form constructed as Form(EditorContext, QWidget* parent).
template <class Form>
EditorForm* makeEditor(EditorContext context, QWidget* parent) {
  return new Form(context, parent);
}

}  // namespace tamberlin
