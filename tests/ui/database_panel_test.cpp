#include "editors/contacts/database_panel.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <condition_variable>
#include <fstream>
#include <mutex>

#include "codeplug/c_codeplug.h"
#include "codeplug/ccommon.h"
#include "databases/http/scripted_http.h"
#include "databases/internet_error.h"
#include "editors/contacts/contact_record.h"
#include "editors/contacts/contacts_form.h"
#include "editors/contacts/contacts_model.h"
#include "support/scripted_file_dialog.h"
#include "support/scripted_prompt.h"
#include "support/temp_dir.h"
#include "support/unicode.h"
#include "ui/database_services.h"
#include "ui/list_view.h"

namespace tamberlin {
namespace {

using test::ScriptedFileDialog;
using test::ScriptedHttpClient;
using test::TempDir;

const char* const kHeader = "Radio_ID,Callsign,Name,City,State,Country,Remarks\n";

// A user database CSV of `count` Germans from ID 2620001 on, then the given lines.
std::string usersCsv(int count, const std::string& more = {}) {
  std::string csv = kHeader;
  for (int i = 0; i < count; ++i) {
    csv += std::to_string(2620001 + i) + ",DL" + std::to_string(i) +
           "ABC,Hans Maier,Berlin,Berlin,Germany,DMR\n";
  }
  return csv + more;
}

std::string fileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Holds every request until the test lets it go, to look at the window while
// a download runs.
class GatedHttpClient final : public HttpClient {
 public:
  explicit GatedHttpClient(HttpClient& inner) : inner_(inner) {}
  int open(const HttpRequest& request, const std::atomic<bool>* cancel,
           std::unique_ptr<HttpResponse>& response) override {
    std::unique_lock lock(mutex_);
    opened_ = true;
    changed_.notify_all();
    // Like a real connection, a hanging one gives up once cancelled.
    while (!released_) {
      if (cancel != nullptr && cancel->load()) return internet_error::kCancelled;
      changed_.wait_for(lock, std::chrono::milliseconds(10));
    }
    return inner_.open(request, cancel, response);
  }
  void waitUntilOpened() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return opened_; });
  }
  void release() {
    const std::lock_guard lock(mutex_);
    released_ = true;
    changed_.notify_all();
  }

 private:
  HttpClient& inner_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool opened_ = false;
  bool released_ = false;
};

class DatabasePanelTest : public ::testing::Test {
 protected:
  // The contacts window over a data folder prepared beforehand, shown and
  // with its files read.
  void start(int contacts = 10) {
    SilentPrompt silent;
    ASSERT_EQ(common.newCodeplug(0, kModelUv390, silent), 0);
    for (int i = 0; i < contacts; ++i)
      initialiseContact(*common.slot(0), i, utf8ToUtf16("K" + std::to_string(i + 1)));
    makeForm();
    form->resize(1400, 720);
    form->show();
    QCoreApplication::processEvents();
    panel = form->databasePanel();
    ASSERT_NE(panel, nullptr);
    list = find<ListView>("DatabaseListView");
  }
  void importNow(const std::string& csv) {
    const std::string path = dir.write("import.csv", std::vector<uint8_t>(csv.begin(), csv.end()));
    files.chooseNext(QString::fromStdString(path));
    QTest::mouseClick(find<QPushButton>("ImportDatabaseButton"), Qt::LeftButton);
    panel->waitForJob();
  }
  void makeForm() {
    services.emplace(DatabaseServices{dir.path(), {}, *client, clock, files});
    form = std::make_unique<TDigitalContactsForm>(EditorContext{common, prompt, &*services}, nullptr);
  }
  template <typename W>
  W* find(const char* name) {
    W* widget = form->findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  bool enabled(const char* name) { return find<QWidget>(name)->isEnabled(); }
  QString title() { return find<QLabel>("DatabaseTitleLabel")->text(); }
  QString cellText(int row, int column) { return list->model()->index(row, column).data().toString(); }
  void selectRows(const std::vector<int>& rows) { list->selectRows(rows); }
  void search(const QString& text) {
    auto* box = find<QLineEdit>("SearchBox2");
    box->setFocus();
    box->clear();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
  }
  ListView* contacts() { return form->findChild<ListView*>("ListView"); }
  int contactCount() { return contacts()->model()->rowCount(); }
  QString contactName(int row) { return contacts()->model()->index(row, 1).data().toString(); }

  TempDir dir;
  CCommon common;
  test::ScriptedPrompt prompt;
  FakeClock clock;
  ScriptedHttpClient http{clock};
  HttpClient* client = &http;
  ScriptedFileDialog files;
  std::optional<DatabaseServices> services;
  std::unique_ptr<TDigitalContactsForm> form;
  DatabasePanel* panel = nullptr;
  ListView* list = nullptr;
};

TEST_F(DatabasePanelTest, SitsRightOfTheContactsAndStartsEmptyWithDownloadsHeldBack) {
  start();
  EXPECT_GT(panel->mapTo(form.get(), QPoint(0, 0)).x(),
            find<QWidget>("ContactListPanel")->mapTo(form.get(), QPoint(0, 0)).x());
  EXPECT_EQ(title(), "DMR Ham Database   0 ");
  EXPECT_TRUE(find<QToolButton>("DatabaseSpeedButton")->isChecked());
  EXPECT_EQ(find<QComboBox>("CountryFilterComboBox")->currentText(), "All ");
  const char* const downloads[] = {"DownloadDatabaseBitBtn1", "DownloadDatabaseBitBtn2",
                                   "DownloadLastHeardDatabaseBitBtn"};
  // The download buttons come back six ticks after the window was made.
  for (int tick = 0; tick < 5; ++tick) panel->tick();
  for (const char* name : downloads) EXPECT_FALSE(enabled(name)) << name;
  panel->tick();
  for (const char* name : downloads) EXPECT_TRUE(enabled(name)) << name;
  EXPECT_TRUE(enabled("ImportDatabaseButton"));
  EXPECT_FALSE(enabled("AddToContactsBitBtn"));
  EXPECT_FALSE(enabled("Delete2BitBtn"));
}

TEST_F(DatabasePanelTest, ReadsTheFilesAtStartAndAppliesTheRememberedCountryOnceTheListIsBuilt) {
  {
    CCommon other;
    DatabaseFolder folder(other, dir.path());
    const std::string csv = usersCsv(3,
                                     "2340001,G4ABC,John Smith,Leeds,Yorkshire,United Kingdom,DMR\n"
                                     "2060001,ON4AB,Jan Peeters,Gent,Vlaanderen,Belgium,DMR\n");
    ASSERT_EQ(
        parseDatabase(0, std::vector<uint8_t>(csv.begin(), csv.end()), folder.lists(), silentProgress()), 0);
  }
  SilentPrompt silent;
  ASSERT_EQ(common.newCodeplug(0, kModelUv390, silent), 0);
  makeForm();
  // The main window hands the saved choice over before the files are read.
  form->setCountryFilter("United Kingdom ");
  QCoreApplication::processEvents();
  panel = form->databasePanel();
  list = find<ListView>("DatabaseListView");
  auto* country = find<QComboBox>("CountryFilterComboBox");
  ASSERT_EQ(country->count(), 4);
  EXPECT_EQ(country->itemText(0), "All ");
  EXPECT_EQ(country->itemText(1), "Belgium ");
  EXPECT_EQ(country->currentText(), "United Kingdom ");
  EXPECT_EQ(form->countryFilter(), "United Kingdom ");
  EXPECT_EQ(title(), "DMR Ham Database   1 ");
  EXPECT_EQ(cellText(0, 1), "G4ABC");
  EXPECT_EQ(cellText(0, 3), "Leeds");

  country->setCurrentIndex(0);
  emit country->activated(0);
  EXPECT_EQ(title(), "DMR Ham Database   5 ");
  EXPECT_EQ(cellText(0, 0), "2060001");
}

TEST_F(DatabasePanelTest, SearchRunsOnEnterOrAfterTwoTicksAndCountsTheSelection) {
  start();
  importNow(usersCsv(30, "2340001,G4XYZ,John Smith,Dortmund,Yorkshire,United Kingdom,DMR\n"));
  EXPECT_EQ(title(), "DMR Ham Database   31 ");
  search("g4x");
  EXPECT_EQ(title(), "DMR Ham Database   1 ");
  EXPECT_TRUE(list->hasFocus());
  // The city is not searched.
  search("dortmund");
  EXPECT_EQ(title(), "DMR Ham Database   0 ");

  auto* box = find<QLineEdit>("SearchBox2");
  box->clear();
  QTest::keyClicks(box, "26200");
  panel->tick();
  EXPECT_EQ(title(), "DMR Ham Database   0 ");
  panel->tick();
  EXPECT_EQ(title(), "DMR Ham Database   30 ");
  selectRows({1, 2});
  EXPECT_EQ(title(), "DMR Ham Database   2 of 30 selected ");
}

TEST_F(DatabasePanelTest, AddToContactsFollowsTheCodeplugTheSelectionAndFreeRoom) {
  start(9998);
  importNow(usersCsv(3));
  EXPECT_FALSE(enabled("AddToContactsBitBtn"));
  selectRows({0, 1, 2});
  EXPECT_TRUE(enabled("AddToContactsBitBtn"));
  EXPECT_TRUE(enabled("Delete2BitBtn"));
  QTest::mouseClick(find<QPushButton>("AddToContactsBitBtn"), Qt::LeftButton);
  // Two were free; the list is full now.
  EXPECT_EQ(contactCount(), 10000);
  EXPECT_EQ(find<QLabel>("TitleLabel")->text(), "Contacts   used 10000 of 10000 ");
  selectRows({2});
  EXPECT_FALSE(enabled("AddToContactsBitBtn"));
  EXPECT_EQ(t_contact_entry(common.slot(0)->contact(9998)).callId(), 2620001u);
  EXPECT_EQ(contactName(9998), "DL0ABC Hans");

  common.place(0, 0, "", {});
  form->refreshAll();
  selectRows({0});
  EXPECT_FALSE(enabled("AddToContactsBitBtn"));
  // The database side still works without a codeplug.
  EXPECT_TRUE(enabled("Delete2BitBtn"));
  EXPECT_TRUE(enabled("SearchBox2"));
}

TEST_F(DatabasePanelTest, DoubleClickAddsTheEntryInFrontOfTheContactWithItsId) {
  start(10);
  t_contact_entry(common.slot(0)->contact(6)).setCallId(2620002);
  importNow(usersCsv(3));
  const QPoint row1 = list->visualRect(list->model()->index(1, 1)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row1);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row1);
  EXPECT_EQ(contactCount(), 11);
  EXPECT_EQ(contactName(6), "DL1ABC Hans");
  EXPECT_EQ(contactName(7), "K7");
}

TEST_F(DatabasePanelTest, DeletingFromTheLastHeardViewRewritesOnlyItsFile) {
  start();
  importNow(usersCsv(3));
  importNow(
      "num;callsign;dmrid;name;age\n1;DL0ABC;2620001;Hans;5\n2;XX1XX;9990001;Nobody;7\n"
      "3;;2049125;;1\n4;DL2ABC;2620003;Hans;9\n");
  const std::string databaseBefore = fileText(dir.path() / "dmr_database.dat");
  QTest::mouseClick(find<QToolButton>("LastHeardSpeedButton"), Qt::LeftButton);
  EXPECT_EQ(title(), "DMR Ham Last Heard   4 ");
  // Details come from the database; unknown, excluded and nameless entries stay.
  EXPECT_EQ(cellText(0, 5), "Germany");
  EXPECT_EQ(cellText(1, 1), "XX1XX");
  EXPECT_EQ(cellText(2, 0), "2049125");
  selectRows({1, 2});
  EXPECT_FALSE(enabled("Delete2BitBtn"));
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Delete);
  EXPECT_EQ(title(), "DMR Ham Last Heard   2 ");
  EXPECT_EQ(cellText(1, 0), "2620003");
  EXPECT_EQ(fileText(dir.path() / "dmr_database.dat"), databaseBefore);
  LastHeardList reread(dir.path());
  EXPECT_EQ(reread.load(silentProgress()), 2);

  // The country filter hides what the database did not complete.
  auto* country = find<QComboBox>("CountryFilterComboBox");
  country->setCurrentIndex(country->findText("Germany "));
  emit country->activated(country->currentIndex());
  EXPECT_EQ(title(), "DMR Ham Last Heard   2 ");
}

TEST_F(DatabasePanelTest, TheListMenuFollowsSelectionAndClearEmptiesTheShownList) {
  start();
  importNow(usersCsv(3));
  QMenu* menu = panel->findChild<QMenu*>();
  ASSERT_NE(menu, nullptr);
  const auto item = [menu](const char* text) {
    for (QAction* action : menu->actions()) {
      if (action->text() == text) return action;
    }
    return static_cast<QAction*>(nullptr);
  };
  emit menu->aboutToShow();
  EXPECT_FALSE(item("Delete")->isEnabled());
  EXPECT_FALSE(item("Unselect All")->isEnabled());
  EXPECT_FALSE(item("Select All")->isEnabled());
  EXPECT_TRUE(item("Clear")->isEnabled());
  selectRows({0});
  emit menu->aboutToShow();
  EXPECT_TRUE(item("Delete")->isEnabled());
  item("Unselect All")->trigger();
  EXPECT_EQ(title(), "DMR Ham Database   3 ");
  item("Clear")->trigger();
  EXPECT_EQ(title(), "DMR Ham Database   0 ");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "dmr_database.dat"));
  emit menu->aboutToShow();
  EXPECT_FALSE(item("Clear")->isEnabled());
}

TEST_F(DatabasePanelTest, ADownloadRunsOffTheWindowThreadAndShowsTheNewDatabase) {
  GatedHttpClient gate(http);
  client = &gate;
  const std::string body = usersCsv(200);
  ASSERT_GE(body.size(), 10000u);
  http.answerBody(200, body);
  start();
  QTest::mouseClick(find<QToolButton>("LastHeardSpeedButton"), Qt::LeftButton);
  for (int tick = 0; tick < 6; ++tick) panel->tick();
  QTest::mouseClick(find<QPushButton>("DownloadDatabaseBitBtn1"), Qt::LeftButton);

  gate.waitUntilOpened();
  // The window keeps answering while the request hangs.
  QCoreApplication::processEvents();
  EXPECT_TRUE(panel->busy());
  EXPECT_EQ(find<QLabel>("StatusLabel")->text(), "Downloading .. https://www.radioid.net/static/users.csv ");
  EXPECT_FALSE(enabled("DownloadDatabaseBitBtn2"));
  EXPECT_FALSE(enabled("ImportDatabaseButton"));
  EXPECT_TRUE(list->isEnabled());
  gate.release();
  panel->waitForJob();

  ASSERT_EQ(http.requests.size(), 1u);
  EXPECT_TRUE(http.requests[0].target.secure);
  EXPECT_EQ(http.requests[0].target.requestTarget, "/static/users.csv");
  EXPECT_TRUE(find<QToolButton>("DatabaseSpeedButton")->isChecked());
  EXPECT_EQ(title(), "DMR Ham Database   200 ");
  EXPECT_EQ(find<QLabel>("StatusLabel")->text(), "");
  EXPECT_FALSE(find<QProgressBar>("ProgressBar")->isVisible());
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "database.csv"));
  EXPECT_TRUE(prompt.shown.empty());
  // Held back again for six ticks after the attempt.
  EXPECT_FALSE(enabled("DownloadDatabaseBitBtn1"));
  for (int tick = 0; tick < 6; ++tick) panel->tick();
  EXPECT_TRUE(enabled("DownloadDatabaseBitBtn1"));
}

TEST_F(DatabasePanelTest, ClosingTheWindowDuringADownloadStopsItWithoutAWord) {
  GatedHttpClient gate(http);
  client = &gate;
  start();
  importNow(usersCsv(3));
  for (int tick = 0; tick < 6; ++tick) panel->tick();
  QTest::mouseClick(find<QPushButton>("DownloadDatabaseBitBtn2"), Qt::LeftButton);
  gate.waitUntilOpened();
  form.reset();
  EXPECT_TRUE(prompt.shown.empty());
  // The database the window had is still there for the next start.
  CCommon next;
  DatabaseFolder folder(next, dir.path());
  folder.load(silentProgress());
  EXPECT_EQ(folder.database().records()->size(), 3u);
}

TEST_F(DatabasePanelTest, AFailedDownloadSaysSoAndKeepsThePreviousLists) {
  start();
  importNow(usersCsv(3));
  http.answerBody(404, std::string(300, 'x'));
  for (int tick = 0; tick < 6; ++tick) panel->tick();
  QTest::mouseClick(find<QPushButton>("DownloadLastHeardDatabaseBitBtn"), Qt::LeftButton);
  panel->waitForJob();
  ASSERT_EQ(http.requests.size(), 1u);
  EXPECT_EQ(http.requests[0].target.requestTarget, "/user_by_lh.php");
  EXPECT_EQ(prompt.texts(), (std::vector<std::string>{"HTTP response code: 404 ", "Download failed. "}));
  EXPECT_EQ(fileText(dir.path() / "http_response.txt"), std::string(300, 'x'));
  EXPECT_TRUE(find<QToolButton>("DatabaseSpeedButton")->isChecked());
  EXPECT_EQ(title(), "DMR Ham Database   3 ");
  EXPECT_FALSE(panel->busy());
  EXPECT_TRUE(enabled("ImportDatabaseButton"));
}

TEST_F(DatabasePanelTest, ADownloadedLastHeardListIsShownWithItsDetails) {
  start();
  importNow(usersCsv(3));
  std::string lastHeard = "num;callsign;dmrid;name;age\n";
  for (int i = 0; i < 400; ++i)
    lastHeard += std::to_string(i) + ";DL1ABC;2620002;Someone;" + std::to_string(i) + "\n";
  http.answerBody(200, lastHeard);
  for (int tick = 0; tick < 6; ++tick) panel->tick();
  QTest::mouseClick(find<QPushButton>("DownloadLastHeardDatabaseBitBtn"), Qt::LeftButton);
  panel->waitForJob();
  EXPECT_TRUE(find<QToolButton>("LastHeardSpeedButton")->isChecked());
  EXPECT_EQ(title(), "DMR Ham Last Heard   400 ");
  EXPECT_EQ(cellText(0, 2), "Hans Maier");
  EXPECT_EQ(cellText(399, 3), "Berlin");
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "lastheard_0.csv"));
}

TEST_F(DatabasePanelTest, AnImportProblemIsShownInTheStatusLabel) {
  start();
  importNow("a,b,c,d,e,f,g\n");
  EXPECT_EQ(find<QLabel>("StatusLabel")->text(), "Unknown .csv file format");
  EXPECT_TRUE(prompt.shown.empty());
  files.cancelNext();
  QTest::mouseClick(find<QPushButton>("ImportDatabaseButton"), Qt::LeftButton);
  EXPECT_FALSE(panel->busy());
  ASSERT_EQ(files.asked.size(), 2u);
  EXPECT_TRUE(files.asked[1].request.filter.contains("*.csv"));
}

}  // namespace
}  // namespace tamberlin
