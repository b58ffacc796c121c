#pragma once

#include <QTimer>
#include <cstdint>
#include <functional>
#include <span>

#include "editors/contacts/contacts_model.h"
#include "ui/editor_form.h"

class QAction;
class QModelIndex;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tamberlin {

class ListButtons;
class ListEditorController;
class ListTableModel;
class ListView;
class c_codeplug;

// The "Digi Contacts" tab: the codeplug's contact list on the left, with its
// list operations, in-place edits and search; the right half is kept for the
// database browser.
class TDigitalContactsForm : public EditorForm {
  Q_OBJECT

 public:
  TDigitalContactsForm(EditorContext context, QWidget* parent);
  ~TDigitalContactsForm() override;

  void refreshAll() override;
  void refreshShown() override;

  // Inserts a contact through the list's insert routine (before a 0-based
  // position, -1 to append), a copy of `source` when one is given; with
  // `refreshAndSelect` the list reloads and shows, selects and focuses it.
  // The new index, -1 without a codeplug, -2 when the list is full.
  int addContact(int position, std::span<const uint8_t> source, bool refreshAndSelect);
  // Selects the rows whose cells contain the search box's text.
  void search();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  c_codeplug* slot() const;
  void reloaded();
  void selectionChanged();
  void applyState(ContactsRefresh when);
  void updateMenu();
  void cellDoubleClicked(const QModelIndex& index);
  void setSelected(const std::function<void(c_codeplug&, const std::vector<int>&)>& write);
  void searchTick();

  QLabel* title_;
  QLineEdit* search_;
  QPushButton* searchButton_;
  ListView* list_;
  ListTableModel* model_;
  ListEditorController* controller_ = nullptr;
  ListButtons* buttons_;
  QPushButton* import_;
  QPushButton* export_;
  QAction* moveUpItem_;
  QAction* moveDownItem_;
  std::vector<QAction*> setItems_;
  QTimer moveTimer_;
  QTimer searchTimer_;
  int searchWait_ = 0;
};

}  // namespace tamberlin
