#pragma once

#include <QWidget>

#include "codeplug/ccommon.h"

namespace tamberlin {

class Prompt;
struct DatabaseServices;

// What every editor is handed: the codeplug manager and the way to ask the
// user; the editors that keep online databases also get their services (a
// test of another editor leaves them out).
struct EditorContext {
  CCommon& common;
  Prompt& prompt;
  const DatabaseServices* databases = nullptr;
};

// One editor in a tab of the main window. It owns no records: it reads the
// selected slot's buffer when it refreshes and writes each change straight back.
class EditorForm : public QWidget {
  Q_OBJECT

 public:
  EditorForm(EditorContext context, QWidget* parent) : QWidget(parent), context_(context) {}

  // After the selected slot changed (load, new, close, another slot).
  virtual void refreshAll() = 0;
  // When the editor's tab becomes the active one.
  virtual void refreshShown() = 0;

 protected:
  CCommon& common() const { return context_.common; }
  Prompt& prompt() const { return context_.prompt; }
  const DatabaseServices* databaseServices() const { return context_.databases; }
  // The selected slot while it holds a codeplug, else nullptr.
  c_codeplug* selectedCodeplug() const {
    c_codeplug* slot = context_.common.selected();
    return slot && slot->holdsCodeplug() ? slot : nullptr;
  }

 private:
  EditorContext context_;
};

}  // namespace tamberlin
