#pragma once

#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <span>

#include "editors/contacts/contacts_model.h"
#include "ui/country_filter_holder.h"
#include "ui/editor_form.h"

class QAction;
class QModelIndex;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tamberlin {

class DatabasePanel;
class ListButtons;
class ListEditorController;
class ListTableModel;
class ListView;
class c_codeplug;

// The "Digi Contacts" tab: the codeplug's contact list on the left, with its
// list operations, in-place edits and search; on the right the DMR user
// database and the last-heard list, whose entries become contacts (only when
// the program hands the editor its database services).
class TDigitalContactsForm : public EditorForm, public CountryFilterHolder {
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

  QString countryFilter() const override;
  void setCountryFilter(const QString& country) override;
  DatabasePanel* databasePanel() const { return database_; }

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
  void reloadKeepingTop();

  QWidget* listSide_;
  QLabel* title_;
  QLineEdit* search_;
  QPushButton* searchButton_;
  ListView* list_;
  ListTableModel* model_;
  ListEditorController* controller_ = nullptr;
  ListButtons* buttons_;
  QPushButton* import_;
  QPushButton* export_;
  DatabasePanel* database_ = nullptr;
  QString keptCountry_;
  QAction* moveUpItem_;
  QAction* moveDownItem_;
  std::vector<QAction*> setItems_;
  QTimer moveTimer_;
  QTimer searchTimer_;
  int searchWait_ = 0;
};

}  // namespace tamberlin
