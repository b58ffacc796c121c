#include "app/main_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <memory>

#include "app/build_info.h"
#include "app/main_caption.h"
#include "app/radio_model_form.h"
#include "codeplug/ccommon.h"
#include "databases/database_folder.h"
#include "databases/http/scripted_http.h"
#include "support/ascii_text.h"
#include "support/codeplug_fixtures.h"
#include "support/ini_document.h"
#include "support/scripted_file_dialog.h"
#include "support/scripted_prompt.h"
#include "support/temp_dir.h"
#include "ui/database_services.h"
#include "ui/radio_window.h"

namespace tamberlin {
namespace {

// A radio window that can pretend a transfer is running.
class FakeRadioWindow final : public RadioWindow {
 public:
  bool isBusy() const override { return busy; }
  bool isShowing() const override { return showing; }
  void openForSlot(int slot) override {
    showing = true;
    openedForSlot = slot;
  }
  void closeWindow() override { showing = false; }
  QString firmwareDirectory() const override { return firmware; }
  void setFirmwareDirectory(const QString& directory) override { firmware = directory; }
  void setCodeplugChangedHandler(std::function<void()> handler) override { changed = std::move(handler); }

  bool busy = false;
  bool showing = false;
  int openedForSlot = -1;
  QString firmware;
  std::function<void()> changed;
};

const std::string kDiscard = "Unsaved code plug. \n\nDiscard it ? ";
const std::string kPasswords =
    "This code plug has passwords set (General Tab).\n\nMAKE SURE you know what they are !\n\nAre you sure "
    "you "
    "want to save this code plug ?";

class MainFormTest : public ::testing::Test {
 protected:
  void start(const DatabaseServices* databases = nullptr) {
    form = std::make_unique<TMainForm>(
        MainFormServices{*current, prompt, files, radio, settingsPath(), databases});
    form->show();
    ASSERT_TRUE(QTest::qWaitFor([this] { return form->started(); }));
  }
  // Closes the window (answering any question with Yes) and starts a new
  // program run over the same settings file.
  void restart() {
    for (int i = 0; i < 4; ++i) prompt.answerNext(PromptAnswer::Yes);
    form->close();
    form.reset();
    commons.push_back(std::make_unique<CCommon>(dir.path().string()));
    current = commons.back().get();
    prompt = {};
  }

  QString settingsPath() const { return QString::fromStdString(dir.file("tamberlin.ini")); }
  void writeSettings(const std::string& text) const {
    QFile file(settingsPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.c_str());
  }
  std::string writeCodeplug(const std::string& name, int model) const {
    return dir.write(name, test::blankCodeplug(*current, model));
  }

  template <class T = QToolButton>
  T* find(const char* name) const {
    T* widget = form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  void click(const char* button) { find(button)->click(); }
  QMenu* newMenu() const { return find<QMenu>("NewPopupMenu"); }
  QTabWidget* tabs() const { return find<QTabWidget>("MainPageControl"); }
  c_codeplug& slot(int index) { return *current->slot(index); }
  // Makes a slot dirty the way an editor would.
  void edit(int index) { slot(index).buffer[0x3000] ^= 0xFF; }

  test::TempDir dir;
  std::vector<std::unique_ptr<CCommon>> commons = [] {
    std::vector<std::unique_ptr<CCommon>> first;
    first.push_back(std::make_unique<CCommon>());
    return first;
  }();
  CCommon* current = commons.back().get();
  test::ScriptedPrompt prompt;
  test::ScriptedFileDialog files;
  FakeRadioWindow radio;
  std::unique_ptr<TMainForm> form;
};

TEST_F(MainFormTest, ShowsTheToolBarAndTheTabsInOrder) {
  start();
  const std::pair<const char*, const char*> buttons[] = {
      {"NewToolButton", "&New"},    {"OpenToolButton", "&Open"},      {"ReloadToolButton", "&Reload"},
      {"SaveToolButton", "&Save"},  {"SaveAsToolButton", "Save &As"}, {"CloseToolButton", "&Close"},
      {"Codeplug1ToolButton", "1"}, {"Codeplug4ToolButton", "4"},     {"RadioToolButton", "Rad&io"},
      {"ExitToolButton", "E&xit"},
  };
  for (const auto& [name, caption] : buttons) EXPECT_EQ(find(name)->text(), caption) << name;
  EXPECT_EQ(find("SaveToolButton")->toolTip(), "Save too codeplug file");
  EXPECT_EQ(find("RadioToolButton")->toolTip(), "Read/Write directly from/to the radio ");
  EXPECT_EQ(find("GUIStyleToolButton1")->toolTip(), "Prev GUI style");
  EXPECT_EQ(find("GUIStyleToolButton2")->toolTip(), "Next GUI style");

  QStringList menu;
  for (QAction* item : newMenu()->actions()) menu << item->text();
  EXPECT_EQ(menu, QStringList({"MD380", "MD390", "UV380", "UV390", "MD9600", "MD2017", "DM-1701"}));

  QStringList captions;
  for (int i = 0; i < tabs()->count(); ++i) captions << tabs()->tabText(i);
  EXPECT_EQ(captions,
            QStringList({"Basic", "General", "Menus", "Buttons", "Digi Text Msg", "Digi Voice Encryption",
                         "Digi Emergency Systems", "Digi Contacts", "Digi Repeaters", "Digi Rx Groups",
                         "Zones", "Scan Lists", "Channels", "DTMF", "GPS", "VFO"}));
  // An empty slot: no tabs, nothing to save.
  EXPECT_TRUE(tabs()->isHidden());
  for (const char* name : {"SaveToolButton", "SaveAsToolButton", "ReloadToolButton", "CloseToolButton"}) {
    EXPECT_FALSE(find(name)->isEnabled()) << name;
  }
  EXPECT_TRUE(find("Codeplug1ToolButton")->isChecked());
}

TEST_F(MainFormTest, SelectedSlotFromTheSettingsIsClamped) {
  for (const auto& [text, expected] : {std::pair{"7", 3}, std::pair{"-2", 0}}) {
    writeSettings(std::string("[CodePlug]\nSelected=") + text + "\n");
    start();
    EXPECT_EQ(current->selectedSlot(), expected) << text;
    EXPECT_TRUE(find(qPrintable(QStringLiteral("Codeplug%1ToolButton").arg(expected + 1)))->isChecked())
        << text;
    restart();
  }
}

TEST_F(MainFormTest, NewFromTheMenuAndFromTheDialog) {
  start();
  newMenu()->actions().at(3)->trigger();  // "UV390"
  EXPECT_EQ(slot(0).modelCode, kModelUv390);
  EXPECT_FALSE(tabs()->isHidden());
  EXPECT_TRUE(tabs()->isTabVisible(15));
  EXPECT_EQ(tabs()->currentIndex(), 0);

  // The new codeplug has no name, so replacing it asks first.
  prompt.answerNext(PromptAnswer::Yes);
  QStringList items;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<TRadioModelForm*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    auto* combo = dialog->findChild<QComboBox*>("RadioTypeComboBox");
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    combo->setCurrentIndex(1);
    dialog->findChild<QPushButton*>("OKButton")->click();
  });
  click("NewToolButton");
  EXPECT_EQ(items,
            QStringList({"MD380 ", "MD390 ", "MD-UV380 ", "MD-UV390 ", "MD9600 ", "MD2017 ", "DM1701 "}));
  EXPECT_EQ(prompt.texts(), std::vector<std::string>{kDiscard});
  EXPECT_EQ(slot(0).modelCode, kModelMd390);
  EXPECT_FALSE(tabs()->isTabVisible(15));

  // Cancel leaves the codeplug; No to the question does not even ask the model.
  prompt.answerNext(PromptAnswer::Yes);
  QTimer::singleShot(
      0, [] { QApplication::activeModalWidget()->findChild<QPushButton*>("CancelButton")->click(); });
  click("NewToolButton");
  EXPECT_EQ(slot(0).modelCode, kModelMd390);
  prompt.answerNext(PromptAnswer::No);
  newMenu()->actions().at(0)->trigger();
  EXPECT_EQ(slot(0).modelCode, kModelMd390);
}

TEST_F(MainFormTest, ReloadOfANeverSavedCodeplugAsksAndDoesNothing) {
  start();
  newMenu()->actions().at(1)->trigger();
  const std::vector<uint8_t> before = slot(0).buffer;
  prompt.answerNext(PromptAnswer::Yes);
  click("ReloadToolButton");
  EXPECT_EQ(prompt.texts(), std::vector<std::string>{kDiscard});
  EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Question);
  EXPECT_EQ(prompt.shown[0].defaultAnswer, PromptAnswer::No);
  EXPECT_EQ(slot(0).modelCode, kModelMd390);
  EXPECT_EQ(slot(0).buffer, before);
}

TEST_F(MainFormTest, ReloadReadsTheFileAgain) {
  const std::string path = writeCodeplug("a.rdt", kModelMd390);
  writeSettings("[CodePlug]\nFile0=" + path + "\n");
  start();
  tabs()->setCurrentIndex(12);
  edit(0);
  prompt.answerNext(PromptAnswer::No);
  click("ReloadToolButton");
  EXPECT_TRUE(current->isDirty(0));
  prompt.answerNext(PromptAnswer::Yes);
  click("ReloadToolButton");
  EXPECT_FALSE(current->isDirty(0));
  EXPECT_EQ(tabs()->currentIndex(), 12);
}

TEST_F(MainFormTest, OpenLoadsWithMessagesAndRemembersTheFolder) {
  const std::string path = writeCodeplug("b.rdt", kModelUv390);
  writeSettings("[FileDir]\nCodeplugPath=/nowhere\n");
  start();
  tabs()->setCurrentIndex(3);
  files.chooseNext(QString::fromStdString(path));
  click("OpenToolButton");
  ASSERT_EQ(files.asked.size(), 1u);
  EXPECT_FALSE(files.asked[0].save);
  EXPECT_EQ(files.asked[0].request.directory, "/nowhere");
  EXPECT_EQ(files.asked[0].request.defaultSuffix, "rdt");
  EXPECT_EQ(slot(0).modelCode, kModelUv390);
  EXPECT_EQ(tabs()->currentIndex(), 0);
  EXPECT_EQ(find("Codeplug1ToolButton")->toolTip(), QString::fromStdString(path));

  // Unsaved work kept: no dialog at all.
  edit(0);
  prompt.answerNext(PromptAnswer::No);
  click("OpenToolButton");
  EXPECT_EQ(files.asked.size(), 1u);
  EXPECT_EQ(prompt.texts(), std::vector<std::string>{kDiscard});
  prompt = {};
  current->markClean(0);

  const std::string bad = dir.write("bad.rdt", std::vector<uint8_t>(100, 0));
  files.chooseNext(QString::fromStdString(bad));
  click("OpenToolButton");
  EXPECT_EQ(files.asked[1].request.directory, QString::fromStdString(dir.path().string()));
  EXPECT_EQ(prompt.texts(), std::vector<std::string>{"Code plug file size error ..\n\n" + bad});
  EXPECT_EQ(slot(0).fileName, path);  // the slot keeps what it had
}

TEST_F(MainFormTest, CaptionShowsStyleAndFile) {
  const std::string path = writeCodeplug("c.rdt", kModelMd380);
  writeSettings("[CodePlug]\nFile0=" + path + "\n");
  start();
  const BuildInfo build = buildInfo();
  const std::string prefix =
      captionPrefix("Tamberlin", build.major, build.minor, build.release, build.date, build.time);
  QString style = QApplication::style()->name();
  for (const QString& name : form->styleNames()) {
    if (name.compare(style, Qt::CaseInsensitive) == 0) style = name;
  }
  EXPECT_EQ(form->windowTitle().toStdString(), prefix + "  \"" + style.toStdString() + "\"    " + path + " ");
  click("Codeplug2ToolButton");
  EXPECT_EQ(form->windowTitle().toStdString(), prefix + "  \"" + style.toStdString() + "\" ");
}

TEST_F(MainFormTest, StyleButtonsStepThroughTheStylesAndWrap) {
  start();
  const QStringList styles = form->styleNames();
  ASSERT_FALSE(styles.isEmpty());
  const QString first = QApplication::style()->name();
  for (int i = 0; i < styles.size(); ++i) click("GUIStyleToolButton2");
  EXPECT_EQ(QApplication::style()->name().compare(first, Qt::CaseInsensitive), 0);
  click("GUIStyleToolButton1");
  const QString previous =
      styles[(styles.indexOf(form->styleNames().filter(first, Qt::CaseInsensitive).value(0)) + styles.size() -
              1) %
             styles.size()];
  EXPECT_EQ(QApplication::style()->name().compare(previous, Qt::CaseInsensitive), 0);
  EXPECT_TRUE(form->windowTitle().contains("\"" + previous + "\""));
  click("GUIStyleToolButton2");
}

TEST_F(MainFormTest, RadioButtonOnlyForTheMd380AndMd390) {
  start();
  EXPECT_FALSE(find("RadioToolButton")->isEnabled());
  for (int model = kModelMd380; model <= kModelTp660; ++model) {
    ASSERT_EQ(current->newCodeplug(1, model, prompt), 0);
    click("Codeplug2ToolButton");
    EXPECT_EQ(find("RadioToolButton")->isEnabled(), model == kModelMd380 || model == kModelMd390) << model;
    EXPECT_EQ(tabs()->isTabVisible(15), model >= kModelUv380 && model <= kModelDm1701) << model;
  }

  ASSERT_EQ(current->newCodeplug(1, kModelMd390, prompt), 0);
  click("Codeplug2ToolButton");
  radio.firmware = "/ignored";
  click("RadioToolButton");
  EXPECT_TRUE(radio.showing);
  EXPECT_EQ(radio.openedForSlot, 1);
  EXPECT_EQ(radio.firmware, QCoreApplication::applicationDirPath());
  radio.firmware = "/firmware";
  click("RadioToolButton");
  EXPECT_FALSE(radio.showing);
  restart();
  EXPECT_EQ(readIniFile(dir.file("tamberlin.ini")).value("FileDir", "FirmwarePath"), "/firmware");
}

TEST_F(MainFormTest, ACodeplugReadFromTheRadioRefreshesTheWindow) {
  start();
  ASSERT_TRUE(radio.changed);
  current->place(0, kModelMd390, "", test::blankCodeplug(*current, kModelMd390));
  radio.changed();
  EXPECT_FALSE(tabs()->isHidden());
  EXPECT_TRUE(find("RadioToolButton")->isEnabled());
}

TEST_F(MainFormTest, SaveTellsWhatIsMissing) {
  start();
  // Without a codeplug Save is disabled: a click does nothing.
  click("SaveToolButton");
  EXPECT_TRUE(prompt.shown.empty());
  newMenu()->actions().at(1)->trigger();
  click("SaveToolButton");
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "No codeplug filename\r\n\nTry 'Save as'");
  EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Error);
}

TEST_F(MainFormTest, SaveAsAppendsTheExtensionAndNamesTheSlot) {
  start();
  newMenu()->actions().at(3)->trigger();
  files.chooseNext(QString::fromStdString(dir.file("mine.rdt.bak")));
  click("SaveAsToolButton");
  ASSERT_EQ(files.asked.size(), 1u);
  EXPECT_TRUE(files.asked[0].save);
  const std::string saved = dir.file("mine.rdt.bak.rdt");
  EXPECT_EQ(slot(0).fileName, saved);
  EXPECT_EQ(test::TempDir::read(saved), slot(0).buffer);
  EXPECT_FALSE(current->isDirty(0));
  EXPECT_TRUE(form->windowTitle().endsWith(QString::fromStdString("    " + saved + " ")));
  EXPECT_EQ(find("Codeplug1ToolButton")->toolTip(), QString::fromStdString(saved));

  // The next Save As starts from that name; Save writes to it.
  edit(0);
  files.cancelNext();
  click("SaveAsToolButton");
  EXPECT_EQ(files.asked[1].request.fileName, QString::fromStdString(saved));
  click("SaveToolButton");
  EXPECT_FALSE(current->isDirty(0));
  EXPECT_EQ(test::TempDir::read(saved), slot(0).buffer);
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(MainFormTest, SaveAsAsksBeforeReplacingTheNameWithRdtAdded) {
  start();
  newMenu()->actions().at(1)->trigger();
  const std::string existing = dir.write("old.bak.rdt", {1, 2, 3});
  files.chooseNext(QString::fromStdString(dir.file("old.bak")));
  prompt.answerNext(PromptAnswer::No);
  click("SaveAsToolButton");
  EXPECT_EQ(prompt.texts(), std::vector<std::string>{existing + " already exists.\n\nReplace it ? "});
  EXPECT_EQ(test::TempDir::read(existing), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(slot(0).fileName, "");

  files.chooseNext(QString::fromStdString(dir.file("old.bak")));
  prompt.answerNext(PromptAnswer::Yes);
  click("SaveAsToolButton");
  EXPECT_EQ(test::TempDir::read(existing), slot(0).buffer);
  EXPECT_EQ(slot(0).fileName, existing);
}

TEST_F(MainFormTest, AFailedSaveKeepsTheSlotUnsaved) {
  const std::string path = writeCodeplug("d.rdt", kModelMd390);
  writeSettings("[CodePlug]\nFile0=" + path + "\n");
  start();
  edit(0);
  slot(0).fileName = dir.file("no such folder/d.rdt");
  click("SaveToolButton");
  EXPECT_EQ(prompt.texts(), std::vector<std::string>{"Could not write to the code plug file"});
  EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Error);
  EXPECT_TRUE(current->isDirty(0));
}

TEST_F(MainFormTest, PasswordsAreConfirmedBeforeSaving) {
  const std::string path = writeCodeplug("e.rdt", kModelMd390);
  writeSettings("[CodePlug]\nFile0=" + path + "\n[Misc]\nWarningBeep=1\n");
  start();
  slot(0).buffer[0x22C1] = 0x31;  // radio programming password
  const std::vector<uint8_t> onDisk = test::TempDir::read(path);

  prompt.answerNext(PromptAnswer::No);
  click("SaveToolButton");
  EXPECT_EQ(prompt.texts(), std::vector<std::string>{kPasswords});
  EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Warning);
  EXPECT_EQ(prompt.beeps, (std::vector<std::pair<int, int>>{{440, 100}}));
  EXPECT_EQ(test::TempDir::read(path), onDisk);
  EXPECT_TRUE(current->isDirty(0));

  prompt.answerNext(PromptAnswer::Yes);
  click("SaveToolButton");
  EXPECT_EQ(test::TempDir::read(path), slot(0).buffer);
  EXPECT_FALSE(current->isDirty(0));
}

TEST_F(MainFormTest, ClosingAsksAboutEachDirtySlotInOrder) {
  start();
  for (int s : {1, 3}) ASSERT_EQ(current->newCodeplug(s, kModelMd390, prompt), 0);
  ASSERT_EQ(current->newCodeplug(2, kModelMd390, prompt), 0);
  slot(2).fileName = dir.file("clean.rdt");
  current->markClean(2);

  prompt.answerNext(PromptAnswer::No);
  EXPECT_FALSE(form->close());
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(prompt.texts(), std::vector<std::string>{"Unsaved code plug 2. \n\nDiscard it ? "});
  EXPECT_EQ(prompt.shown[0].defaultAnswer, PromptAnswer::No);

  prompt = {};
  prompt.answerNext(PromptAnswer::Yes);
  prompt.answerNext(PromptAnswer::Yes);
  EXPECT_TRUE(form->close());
  EXPECT_EQ(prompt.texts(), (std::vector<std::string>{"Unsaved code plug 2. \n\nDiscard it ? ",
                                                      "Unsaved code plug 4. \n\nDiscard it ? "}));
}

TEST_F(MainFormTest, NoClosingWhileTheRadioIsBusy) {
  start();
  newMenu()->actions().at(1)->trigger();
  radio.busy = true;
  EXPECT_FALSE(form->close());
  EXPECT_TRUE(form->isVisible());
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "Currently busy reading/writing with the radio. ");
  EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Information);
  // The settings are written before the refusal.
  EXPECT_TRUE(QFile::exists(settingsPath()));
}

TEST_F(MainFormTest, SettingsAreWrittenOnCloseAndReadAtStart) {
  const std::string a = writeCodeplug("a.rdt", kModelMd390);
  const std::string b = writeCodeplug("b.rdt", kModelMd9600);
  writeSettings("[Radio]\nSimulated=1\n[CodePlug]\nSelected=3\nFile1=" + a + "\nFile3=" + b +
                "\nFile2=/gone/missing.rdt\n[Contacts]\nCountry=Norway\n[Misc]\nTab=15\n");
  start();
  EXPECT_EQ(slot(1).fileName, a);
  EXPECT_EQ(slot(3).modelCode, kModelMd9600);
  EXPECT_FALSE(slot(2).holdsCodeplug());
  EXPECT_EQ(tabs()->currentIndex(), 15);
  ASSERT_TRUE(form->close());

  const IniDocument ini = readIniFile(dir.file("tamberlin.ini"));
  std::vector<std::string> keys;
  for (const auto& section : ini.sections()) {
    for (const auto& entry : section.entries) keys.push_back(section.name + "/" + entry.key);
  }
  EXPECT_EQ(keys, (std::vector<std::string>{"MainForm/Top", "MainForm/Left", "MainForm/Width",
                                            "MainForm/Height", "Misc/Style", "Misc/WarningBeep", "Misc/Tab",
                                            "CodePlug/Selected", "CodePlug/File1", "CodePlug/File2",
                                            "CodePlug/File3", "FileDir/CodeplugPath", "FileDir/FirmwarePath",
                                            "Contacts/Country", "Radio/Simulated"}));
  EXPECT_EQ(ini.value("CodePlug", "Selected"), "3");
  // A file that did not load is still remembered.
  EXPECT_EQ(ini.value("CodePlug", "File2"), "/gone/missing.rdt");
  EXPECT_EQ(ini.value("Misc", "Tab"), "15");
  EXPECT_EQ(ini.value("Contacts", "Country"), "Norway");
  EXPECT_EQ(ini.value("Misc", "WarningBeep"), "0");
}

TEST_F(MainFormTest, TheRememberedCountryFilterIsAppliedOnceTheDatabaseIsRead) {
  {
    CCommon other;
    DatabaseFolder folder(other, dir.path());
    const std::string csv =
        "Radio_ID,Callsign,Name,City,State,Country,Remarks\n"
        "2420001,LA1AB,Ola Nordmann,Oslo,Oslo,Norway,DMR\n2620001,DL1AB,Hans "
        "Maier,Berlin,Berlin,Germany,DMR\n";
    ASSERT_EQ(
        parseDatabase(0, std::vector<uint8_t>(csv.begin(), csv.end()), folder.lists(), silentProgress()), 0);
  }
  writeSettings("[Contacts]\nCountry=Norway \n[Misc]\nTab=7\n");
  FakeClock clock;
  test::ScriptedHttpClient http(clock);
  const DatabaseServices databases{dir.path(), {}, http, clock, files};
  start(&databases);
  QCoreApplication::processEvents();
  EXPECT_EQ(find<QComboBox>("CountryFilterComboBox")->currentText(), "Norway ");
  EXPECT_EQ(find<QLabel>("DatabaseTitleLabel")->text(), "DMR Ham Database   1 ");
  ASSERT_TRUE(form->close());
  EXPECT_EQ(trimmedBlanks(readIniFile(dir.file("tamberlin.ini")).value("Contacts", "Country").value_or("")),
            "Norway");
}

TEST_F(MainFormTest, AClosedSlotIsEmptyAfterARestart) {
  const std::string a = writeCodeplug("a.rdt", kModelMd390);
  writeSettings("[CodePlug]\nSelected=1\nFile1=" + a + "\n");
  start();
  EXPECT_FALSE(tabs()->isHidden());
  click("CloseToolButton");
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_TRUE(tabs()->isHidden());
  EXPECT_FALSE(find("CloseToolButton")->isEnabled());
  EXPECT_EQ(readIniFile(dir.file("tamberlin.ini")).value("CodePlug", "File1"), std::nullopt);
  restart();
  start();
  EXPECT_FALSE(slot(1).holdsCodeplug());
  EXPECT_TRUE(tabs()->isHidden());
}

TEST_F(MainFormTest, DroppingAFileOpensItLikeOpen) {
  start();
  newMenu()->actions().at(1)->trigger();
  const std::string path = writeCodeplug("dropped.rdt", kModelUv390);

  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
  const auto dropFile = [&] {
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &drop);
  };

  prompt.answerNext(PromptAnswer::No);
  dropFile();
  EXPECT_TRUE(QTest::qWaitFor([this] { return !prompt.shown.empty(); }));
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, kDiscard);
  EXPECT_EQ(slot(0).modelCode, kModelMd390);

  prompt.answerNext(PromptAnswer::Yes);
  dropFile();
  EXPECT_TRUE(QTest::qWaitFor([this] { return slot(0).modelCode == kModelUv390; }));
  EXPECT_EQ(slot(0).fileName, path);
}

TEST_F(MainFormTest, KeyboardShortcutsReachTheCommands) {
  start();
  QApplication::setActiveWindow(form.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(files.asked.size(), 1u);
  EXPECT_FALSE(files.asked[0].save);
  // Save As is disabled without a codeplug, and so is its shortcut.
  QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(files.asked.size(), 1u);
  newMenu()->actions().at(0)->trigger();
  QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_EQ(files.asked.size(), 2u);
  EXPECT_TRUE(files.asked[1].save);
  QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(prompt.texts(), std::vector<std::string>{"No codeplug filename\r\n\nTry 'Save as'"});

  prompt.answerNext(PromptAnswer::Yes);
  QTest::keyClick(form.get(), Qt::Key_Escape);
  EXPECT_FALSE(form->isVisible());
}

TEST_F(MainFormTest, CtrlQClosesTheWindow) {
  start();
  QApplication::setActiveWindow(form.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  QTest::keyClick(form.get(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(form->isVisible());
}

}  // namespace
}  // namespace tamberlin
