#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <string>

class QAction;
class QActionGroup;
class QLabel;
class QTabWidget;
class QToolBar;
class QToolButton;

namespace tamberlin {

class CCommon;
struct DatabaseServices;
class EditorForm;
class FileDialog;
class Prompt;
class RadioWindow;
class TRadioModelForm;

// Everything the main window works with, handed in so tests can replace it.
struct MainFormServices {
  CCommon& common;
  Prompt& prompt;
  FileDialog& fileDialog;
  RadioWindow& radioWindow;
  QString settingsPath;
  // The online databases of the contacts editor; without them (tests of the
  // shell) that side of the editor stays empty.
  const DatabaseServices* databases = nullptr;
};

// The application shell: the file commands and slot buttons on the tool bar
// and one tab per codeplug section editor.
class TMainForm final : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainForm(MainFormServices services, QWidget* parent = nullptr);
  ~TMainForm() override;

  // The remembered codeplugs are loaded and the editors exist.
  bool started() const { return started_; }
  EditorForm* editor(int tab) const;
  QStringList styleNames() const { return styles_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void buildActions();
  void buildToolBar();
  void buildTabs();
  void updateIcons();

  void readSettings();
  void writeSettings();
  void deferredStart();

  void newFromDialog();
  void newModel(int modelCode);
  void openCodeplug();
  void openDroppedFile(const QString& path);
  void loadFile(const QString& path);
  void reloadCodeplug();
  void saveCodeplug();
  void saveCodeplugAs();
  void closeCodeplug();
  void selectSlot(int slot);
  void toggleRadioWindow();
  void stepStyle(int step);

  bool discardUnsavedWork();
  bool saveStep(const std::string& path);
  void slotChanged();
  void tabChanged();
  void activateBasicTab();
  void updateCaption();
  void updateSlotHints();
  void updateSlotIcons();
  void takeBackFirmwareDirectory();
  QString activeStyleName() const;
  void applyStyle(const QString& name);

  CCommon& common_;
  Prompt& prompt_;
  FileDialog& fileDialog_;
  RadioWindow& radioWindow_;
  QString settingsPath_;
  const DatabaseServices* databases_;

  QString captionPrefix_;
  QString codeplugDirectory_;
  QString firmwareDirectory_;
  QStringList styles_;
  std::optional<std::string> contactsCountry_;
  std::array<std::string, 4> rememberedFiles_;
  std::optional<int> rememberedTab_;
  bool radioWindowUsed_ = false;
  bool started_ = false;

  TRadioModelForm* newDialog_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QLabel* emptyLabel_ = nullptr;
  std::array<EditorForm*, 16> editors_{};

  QAction* newAction_ = nullptr;
  QAction* openAction_ = nullptr;
  QAction* reloadAction_ = nullptr;
  QAction* saveAction_ = nullptr;
  QAction* saveAsAction_ = nullptr;
  QAction* closeAction_ = nullptr;
  std::array<QAction*, 4> slotActions_{};
  QActionGroup* slotGroup_ = nullptr;
  QAction* radioAction_ = nullptr;
  QAction* prevStyleAction_ = nullptr;
  QAction* nextStyleAction_ = nullptr;
  QAction* exitAction_ = nullptr;
};

}  // namespace tamberlin
