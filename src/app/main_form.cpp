#include "app/main_form.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleFactory>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "app/build_info.h"
#include "app/editor_tabs.h"
#include "app/main_caption.h"
#include "app/radio_model_form.h"
#include "app/session_settings.h"
#include "codeplug/ccommon.h"
#include "codeplug/codeplug_file.h"
#include "codeplug/radio_models.h"
#include "support/prompt.h"
#include "ui/country_filter_holder.h"
#include "ui/editor_form.h"
#include "ui/file_dialog.h"
#include "ui/lock_window.h"
#include "ui/qt_prompt.h"
#include "ui/radio_window.h"
#include "ui/side_tab_widget.h"

namespace tamberlin {

namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }
QString qs(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The selected slot's button shows a filled chip, the others an outline.
QIcon slotIcon(bool selected, const QPalette& palette) {
  QPixmap pixmap(24, 24);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor accent = palette.color(QPalette::Highlight);
  painter.setPen(QPen(selected ? accent.darker(120) : palette.color(QPalette::Mid), 1.5));
  painter.setBrush(selected ? QBrush(accent) : QBrush(Qt::NoBrush));
  painter.drawRoundedRect(QRectF(4.5, 3.5, 15, 17), 3, 3);
  painter.setPen(
      QPen(selected ? palette.color(QPalette::HighlightedText) : palette.color(QPalette::Mid), 1.5));
  for (const qreal y : {8.5, 12.0, 15.5}) painter.drawLine(QPointF(8, y), QPointF(16, y));
  return QIcon(pixmap);
}

QIcon themedIcon(const char* themeName, QStyle::StandardPixmap fallback) {
  return QIcon::fromTheme(QString::fromLatin1(themeName), QApplication::style()->standardIcon(fallback));
}

}  // namespace

TMainForm::TMainForm(MainFormServices services, QWidget* parent)
    : QMainWindow(parent),
      common_(services.common),
      prompt_(services.prompt),
      fileDialog_(services.fileDialog),
      radioWindow_(services.radioWindow),
      settingsPath_(std::move(services.settingsPath)),
      databases_(services.databases) {
  setObjectName("MainForm");
  setAcceptDrops(true);

  const BuildInfo build = buildInfo();
  captionPrefix_ = qs(captionPrefix(QString::fromUtf8(kApplicationTitle).trimmed().toStdString(), build.major,
                                    build.minor, build.release, build.date, build.time));

  newDialog_ = new TRadioModelForm(this);
  buildActions();
  buildToolBar();
  buildTabs();

  styles_ = QStyleFactory::keys();
  std::sort(styles_.begin(), styles_.end(),
            [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });

  codeplugDirectory_ = QCoreApplication::applicationDirPath();
  firmwareDirectory_ = codeplugDirectory_;
  // Wide enough for the channel tab's list beside its field panel; the screen still limits it.
  resize(1360, 820);
  readSettings();
  updateCaption();

  radioWindow_.setCodeplugChangedHandler([this] { slotChanged(); });
  QMetaObject::invokeMethod(this, &TMainForm::deferredStart, Qt::QueuedConnection);
}

TMainForm::~TMainForm() {
  radioWindow_.setCodeplugChangedHandler({});
  for (auto it = editors_.rbegin(); it != editors_.rend(); ++it) {
    delete *it;
    *it = nullptr;
  }
}

EditorForm* TMainForm::editor(int tab) const {
  return tab >= 0 && tab < static_cast<int>(editors_.size()) ? editors_[static_cast<size_t>(tab)] : nullptr;
}

void TMainForm::buildActions() {
  const auto action = [this](const char* name, const QString& text, const QString& hint) {
    auto* a = new QAction(text, this);
    a->setObjectName(QString::fromLatin1(name));
    // The button's caption keeps its "&" so Alt plus the letter presses it.
    a->setIconText(text);
    a->setToolTip(hint);
    a->setStatusTip(hint);
    return a;
  };
  newAction_ = action("NewAction", tr("&New"), tr("Create a new codeplug"));
  newAction_->setShortcut(QKeySequence::New);
  connect(newAction_, &QAction::triggered, this, &TMainForm::newFromDialog);
  auto* models = new QMenu(this);
  models->setObjectName("NewPopupMenu");
  for (const RadioModel& model : radioModels()) {
    if (model.menuItem.empty()) continue;
    QAction* item = models->addAction(qs(model.menuItem));
    item->setObjectName("New" + qs(model.menuItem).remove('-') + "MenuItem");
    const int code = model.code;
    connect(item, &QAction::triggered, this, [this, code] {
      if (discardUnsavedWork()) newModel(code);
    });
  }
  newAction_->setMenu(models);

  openAction_ = action("OpenAction", tr("&Open"), tr("Open a codeplug file"));
  openAction_->setShortcut(QKeySequence::Open);
  connect(openAction_, &QAction::triggered, this, &TMainForm::openCodeplug);
  reloadAction_ = action("ReloadAction", tr("&Reload"), tr("Reload a codeplug file"));
  connect(reloadAction_, &QAction::triggered, this, &TMainForm::reloadCodeplug);
  saveAction_ = action("SaveAction", tr("&Save"), tr("Save too codeplug file"));
  saveAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  connect(saveAction_, &QAction::triggered, this, &TMainForm::saveCodeplug);
  saveAsAction_ = action("SaveAsAction", tr("Save &As"), tr("Save too a different codeplug file"));
  saveAsAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  connect(saveAsAction_, &QAction::triggered, this, &TMainForm::saveCodeplugAs);
  closeAction_ = action("CloseAction", tr("&Close"), tr("Close codeplug"));
  connect(closeAction_, &QAction::triggered, this, &TMainForm::closeCodeplug);

  slotGroup_ = new QActionGroup(this);
  slotGroup_->setExclusive(true);
  for (int slot = 0; slot < 4; ++slot) {
    QAction* a =
        action(qPrintable(QStringLiteral("Codeplug%1Action").arg(slot + 1)), QString::number(slot + 1), {});
    a->setCheckable(true);
    slotGroup_->addAction(a);
    connect(a, &QAction::triggered, this, [this, slot] { selectSlot(slot); });
    slotActions_[static_cast<size_t>(slot)] = a;
  }

  radioAction_ = action("RadioAction", tr("Rad&io"), tr("Read/Write directly from/to the radio "));
  connect(radioAction_, &QAction::triggered, this, &TMainForm::toggleRadioWindow);
  prevStyleAction_ = action("PrevStyleAction", tr("Style"), tr("Prev GUI style"));
  connect(prevStyleAction_, &QAction::triggered, this, [this] { stepStyle(-1); });
  nextStyleAction_ = action("NextStyleAction", tr("Style"), tr("Next GUI style"));
  connect(nextStyleAction_, &QAction::triggered, this, [this] { stepStyle(+1); });
  exitAction_ = action("ExitAction", tr("E&xit"), tr("Exit the program"));
  exitAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  connect(exitAction_, &QAction::triggered, this, &QWidget::close);

  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setObjectName("EscapeShortcut");
  connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void TMainForm::buildToolBar() {
  toolBar_ = new QToolBar(tr("Tool bar"), this);
  toolBar_->setObjectName("ToolBar");
  toolBar_->setMovable(false);
  toolBar_->setFloatable(false);
  toolBar_->setContextMenuPolicy(Qt::PreventContextMenu);
  toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  toolBar_->setIconSize(QSize(24, 24));
  addToolBar(Qt::TopToolBarArea, toolBar_);
  setContextMenuPolicy(Qt::NoContextMenu);

  const auto add = [this](QAction* action, const char* buttonName) {
    toolBar_->addAction(action);
    QWidget* button = toolBar_->widgetForAction(action);
    button->setObjectName(QString::fromLatin1(buttonName));
    return qobject_cast<QToolButton*>(button);
  };
  add(newAction_, "NewToolButton")->setPopupMode(QToolButton::MenuButtonPopup);
  add(openAction_, "OpenToolButton");
  add(reloadAction_, "ReloadToolButton");
  add(saveAction_, "SaveToolButton");
  add(saveAsAction_, "SaveAsToolButton");
  add(closeAction_, "CloseToolButton");
  toolBar_->addSeparator();
  for (int slot = 0; slot < 4; ++slot) {
    add(slotActions_[static_cast<size_t>(slot)],
        qPrintable(QStringLiteral("Codeplug%1ToolButton").arg(slot + 1)));
  }
  toolBar_->addSeparator();
  add(radioAction_, "RadioToolButton");
  toolBar_->addSeparator();
  for (auto [action, name] : {std::pair{prevStyleAction_, "GUIStyleToolButton1"},
                              std::pair{nextStyleAction_, "GUIStyleToolButton2"}}) {
    add(action, name)->setToolButtonStyle(Qt::ToolButtonIconOnly);
  }
  toolBar_->addSeparator();
  add(exitAction_, "ExitToolButton");
  updateIcons();
}

void TMainForm::updateIcons() {
  newAction_->setIcon(themedIcon("document-new", QStyle::SP_FileIcon));
  openAction_->setIcon(themedIcon("document-open", QStyle::SP_DialogOpenButton));
  reloadAction_->setIcon(themedIcon("view-refresh", QStyle::SP_BrowserReload));
  saveAction_->setIcon(themedIcon("document-save", QStyle::SP_DialogSaveButton));
  saveAsAction_->setIcon(themedIcon("document-save-as", QStyle::SP_DialogSaveButton));
  closeAction_->setIcon(themedIcon("document-close", QStyle::SP_DialogCloseButton));
  // The program's own icon is a radio; the style's network drive stands in without it.
  radioAction_->setIcon(QApplication::windowIcon().isNull()
                            ? themedIcon("network-transmit-receive", QStyle::SP_DriveNetIcon)
                            : QApplication::windowIcon());
  prevStyleAction_->setIcon(themedIcon("go-previous", QStyle::SP_ArrowBack));
  nextStyleAction_->setIcon(themedIcon("go-next", QStyle::SP_ArrowForward));
  exitAction_->setIcon(themedIcon("application-exit", QStyle::SP_DialogCancelButton));
  updateSlotIcons();
}

void TMainForm::buildTabs() {
  auto* content = new QWidget(this);
  auto* layout = new QVBoxLayout(content);
  layout->setContentsMargins(4, 4, 4, 4);
  tabs_ = new SideTabWidget(content);
  tabs_->setObjectName("MainPageControl");
  for (const EditorTab& tab : editorTabs()) {
    auto* sheet = new QWidget(tabs_);
    sheet->setObjectName(QString::fromLatin1(tab.sheetName));
    auto* sheetLayout = new QVBoxLayout(sheet);
    sheetLayout->setContentsMargins(0, 0, 0, 0);
    tabs_->addTab(sheet, QString::fromLatin1(tab.caption));
  }
  emptyLabel_ =
      new QLabel(tr("No codeplug in this slot. Create a new one or open a codeplug file."), content);
  emptyLabel_->setObjectName("EmptySlotLabel");
  emptyLabel_->setAlignment(Qt::AlignCenter);
  emptyLabel_->setEnabled(false);
  layout->addWidget(tabs_);
  layout->addWidget(emptyLabel_);
  tabs_->hide();
  setCentralWidget(content);
  connect(tabs_, &QTabWidget::currentChanged, this, [this] { tabChanged(); });
}

void TMainForm::readSettings() {
  const SessionSettings settings = readSessionSettings(readIniFile(settingsPath_.toStdString()));

  const QRect current = geometry();
  int width = std::max(settings.width.value_or(current.width()), minimumSizeHint().width());
  int height = std::max(settings.height.value_or(current.height()), 200);
  if (const QScreen* primary = QGuiApplication::primaryScreen()) {
    width = std::min(width, std::max(primary->availableGeometry().width(), minimumSizeHint().width()));
    height = std::min(height, std::max(primary->availableGeometry().height(), 200));
  }
  resize(width, height);
  if (settings.left || settings.top) {
    QPoint position(settings.left.value_or(x()), settings.top.value_or(y()));
    // A window remembered on a screen that is gone comes back onto the primary one.
    const QScreen* screen = QGuiApplication::screenAt(position + QPoint(40, 10));
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
      const QRect area = screen->availableGeometry();
      position.setX(std::clamp(position.x(), area.left(), std::max(area.left(), area.right() - 80)));
      position.setY(std::clamp(position.y(), area.top(), std::max(area.top(), area.bottom() - 80)));
    }
    move(position);
  }

  common_.setSelectedSlot(settings.selectedSlot);
  slotActions_[static_cast<size_t>(common_.selectedSlot())]->setChecked(true);
  rememberedFiles_ = settings.slotFiles;
  if (settings.codeplugDirectory) codeplugDirectory_ = qs(*settings.codeplugDirectory);
  if (settings.firmwareDirectory) firmwareDirectory_ = qs(*settings.firmwareDirectory);
  prompt_.setWarningBeep(settings.warningBeep);
  if (settings.style) {
    const QString wanted = qs(*settings.style);
    const auto found = std::find_if(styles_.begin(), styles_.end(), [&](const QString& s) {
      return s.compare(wanted, Qt::CaseInsensitive) == 0;
    });
    if (found != styles_.end() && found->compare(activeStyleName(), Qt::CaseInsensitive) != 0)
      applyStyle(*found);
  }
  contactsCountry_ = settings.contactsCountry;
  rememberedTab_ = settings.tab;
}

void TMainForm::writeSettings() {
  takeBackFirmwareDirectory();
  SessionSettings settings;
  const QRect bounds = (isMaximized() || isFullScreen()) ? normalGeometry() : QRect(pos(), size());
  settings.top = bounds.top();
  settings.left = bounds.left();
  settings.width = bounds.width();
  settings.height = bounds.height();
  settings.style = activeStyleName().toStdString();
  settings.selectedSlot = common_.selectedSlot();
  for (int slot = 0; slot < CCommon::kSlotCount; ++slot) {
    settings.slotFiles[static_cast<size_t>(slot)] = common_.slot(slot)->fileName;
  }
  settings.codeplugDirectory = codeplugDirectory_.toStdString();
  settings.firmwareDirectory = firmwareDirectory_.toStdString();
  settings.warningBeep = prompt_.warningBeep();
  settings.tab = tabs_->currentIndex();
  if (auto* holder = dynamic_cast<CountryFilterHolder*>(editor(kContactsTab))) {
    contactsCountry_ = holder->countryFilter().toStdString();
  }
  settings.contactsCountry = contactsCountry_;

  const std::string path = settingsPath_.toStdString();
  // Settings that other parts of the program keep in the same file survive.
  writeIniFile(path, sessionSettingsDocument(settings, readIniFile(path)));
}

void TMainForm::deferredStart() {
  for (int slot = 0; slot < CCommon::kSlotCount; ++slot) {
    const std::string& file = rememberedFiles_[static_cast<size_t>(slot)];
    if (file.empty()) continue;
    // A file that no longer loads is skipped, but its name stays remembered.
    if (common_.load(slot, file, false, prompt_) != 0) common_.slot(slot)->fileName = file;
  }
  updateCaption();

  const std::optional<int> tab = rememberedTab_;
  if (tab && *tab >= 0 && *tab < tabs_->count() && *tab != tabs_->currentIndex()) {
    const QSignalBlocker quiet(tabs_);
    tabs_->setCurrentIndex(*tab);
  }
  const EditorContext context{common_, prompt_, databases_};
  for (size_t i = 0; i < editorTabs().size(); ++i) {
    const EditorTab& tab = editorTabs()[i];
    if (tab.create == nullptr) continue;
    QWidget* sheet = tabs_->widget(static_cast<int>(i));
    editors_[i] = tab.create(context, sheet);
    sheet->layout()->addWidget(editors_[i]);
  }
  started_ = true;
  selectSlot(common_.selectedSlot());
  if (auto* holder = dynamic_cast<CountryFilterHolder*>(editor(kContactsTab)); holder && contactsCountry_) {
    holder->setCountryFilter(qs(*contactsCountry_));
  }
  for (QAction* action : toolBar_->actions()) {
    if (QWidget* button = toolBar_->widgetForAction(action)) button->setFocusPolicy(Qt::TabFocus);
  }
}

bool TMainForm::discardUnsavedWork() {
  if (!common_.isDirty(common_.selectedSlot())) return true;
  return prompt_.confirmWarning("Unsaved code plug. \n\nDiscard it ? ");
}

void TMainForm::newFromDialog() {
  if (!discardUnsavedWork()) return;
  QPoint position = QCursor::pos();
  if (QGuiApplication::screenAt(position) == nullptr) position = pos() + QPoint(20, 20);
  if (const std::optional<int> model = newDialog_->chooseModel(position)) newModel(*model);
}

void TMainForm::newModel(int modelCode) {
  if (common_.newCodeplug(common_.selectedSlot(), modelCode, prompt_) == 0) activateBasicTab();
  slotChanged();
}

void TMainForm::openCodeplug() {
  if (!discardUnsavedWork()) return;
  const std::optional<QString> path = fileDialog_.openFile(
      {tr("Open a codeplug file"), codeplugDirectory_, {}, codeplugFileFilter(), QStringLiteral("rdt")});
  if (path) loadFile(*path);
}

void TMainForm::openDroppedFile(const QString& path) {
  if (discardUnsavedWork()) loadFile(path);
}

void TMainForm::loadFile(const QString& path) {
  codeplugDirectory_ = QFileInfo(path).absolutePath();
  if (common_.load(common_.selectedSlot(), path.toStdString(), true, prompt_) != 0) return;
  activateBasicTab();
  slotChanged();
}

void TMainForm::reloadCodeplug() {
  if (!discardUnsavedWork()) return;
  const std::string file = common_.selected()->fileName;
  if (common_.load(common_.selectedSlot(), file, true, prompt_) == 0) slotChanged();
}

void TMainForm::saveCodeplug() {
  const c_codeplug* slot = common_.selected();
  if (!slot->holdsCodeplug()) {
    prompt_.error("No codeplug to save");
  } else if (slot->fileName.empty()) {
    prompt_.error("No codeplug filename\r\n\nTry 'Save as'");
  } else if (saveStep(slot->fileName)) {
    updateCaption();
  }
}

void TMainForm::saveCodeplugAs() {
  c_codeplug* slot = common_.selected();
  if (!slot->holdsCodeplug()) {
    prompt_.error("No codeplug to save");
    return;
  }
  const std::optional<QString> chosen =
      fileDialog_.saveFile({tr("Save the codeplug as"), codeplugDirectory_, qs(slot->fileName),
                            codeplugFileFilter(), QStringLiteral("rdt")});
  if (!chosen) return;
  codeplugDirectory_ = QFileInfo(*chosen).absolutePath();
  const std::string path = saveAsFileName(chosen->toStdString());
  // The dialog asked about replacing the name it was given, not about the one
  // with ".rdt" added.
  if (path != chosen->toStdString() && QFileInfo::exists(qs(path)) &&
      !prompt_.confirmWarning(path + " already exists.\n\nReplace it ? ")) {
    return;
  }
  if (!saveStep(path)) return;
  slot->fileName = path;
  common_.markClean(common_.selectedSlot());
  updateCaption();
  updateSlotHints();
}

bool TMainForm::saveStep(const std::string& path) {
  const int slot = common_.selectedSlot();
  if (common_.hasPasswords(slot) &&
      !prompt_.confirmWarning(
          "This code plug has passwords set (General Tab).\n\nMAKE SURE you know what they are "
          "!\n\nAre you sure you want to save this code plug ?",
          PromptIcon::Warning, true)) {
    return false;
  }
  if (common_.save(slot, path) < 0) {
    prompt_.error("Could not write to the code plug file");
    return false;
  }
  common_.markClean(slot);
  return true;
}

void TMainForm::closeCodeplug() {
  if (!discardUnsavedWork()) return;
  if (common_.place(common_.selectedSlot(), kModelNone, std::string(), {}) != 0) return;
  writeSettings();
  slotChanged();
}

void TMainForm::selectSlot(int slot) {
  slotActions_[static_cast<size_t>(slot)]->setChecked(true);
  common_.setSelectedSlot(slot);
  slotChanged();
}

void TMainForm::toggleRadioWindow() {
  if (radioWindow_.isShowing()) {
    radioWindow_.closeWindow();
    takeBackFirmwareDirectory();
    return;
  }
  radioWindow_.setFirmwareDirectory(firmwareDirectory_);
  radioWindowUsed_ = true;
  radioWindow_.openForSlot(common_.selectedSlot());
}

void TMainForm::takeBackFirmwareDirectory() {
  if (radioWindowUsed_) firmwareDirectory_ = radioWindow_.firmwareDirectory();
}

void TMainForm::stepStyle(int step) {
  if (styles_.isEmpty()) return;
  const qsizetype count = styles_.size();
  qsizetype index = styles_.indexOf(activeStyleName());
  index = index < 0 ? 0 : (index + step + count) % count;
  applyStyle(styles_[index]);
  updateCaption();
}

QString TMainForm::activeStyleName() const {
  const QString name = QApplication::style()->name();
  for (const QString& style : styles_) {
    if (style.compare(name, Qt::CaseInsensitive) == 0) return style;
  }
  return name;
}

void TMainForm::applyStyle(const QString& name) {
  if (QApplication::setStyle(name) == nullptr) return;
  updateIcons();
}

void TMainForm::slotChanged() {
  const LockWindow lock(this);
  const c_codeplug* slot = common_.selected();
  const bool loaded = slot->holdsCodeplug() && slot->modelCode != kModelNone;
  tabs_->setVisible(loaded);
  emptyLabel_->setVisible(!loaded);
  updateCaption();
  radioAction_->setEnabled(loaded && (slot->modelCode == kModelMd380 || slot->modelCode == kModelMd390));
  for (QAction* action : {saveAction_, saveAsAction_, reloadAction_, closeAction_}) {
    action->setEnabled(slot->holdsCodeplug());
  }
  updateSlotHints();
  updateSlotIcons();
  tabs_->setTabVisible(kVfoTab, modelFamily(slot->modelCode) == ModelFamily::Uv);
  {
    // Hiding the VFO tab may move the active tab; the handling runs once below.
    const QSignalBlocker quiet(tabs_);
    for (EditorForm* editor : editors_) {
      if (editor != nullptr) editor->refreshAll();
    }
  }
  tabChanged();
}

void TMainForm::tabChanged() {
  const LockWindow lock(this);
  if (EditorForm* shown = editor(tabs_->currentIndex())) shown->refreshShown();
}

void TMainForm::activateBasicTab() {
  const QSignalBlocker quiet(tabs_);
  tabs_->setTabVisible(kVfoTab, modelFamily(common_.selected()->modelCode) == ModelFamily::Uv);
  tabs_->setCurrentIndex(kBasicTab);
}

void TMainForm::updateCaption() {
  setWindowTitle(qs(mainCaption(captionPrefix_.toStdString(), activeStyleName().toStdString(),
                                common_.selected()->fileName)));
}

void TMainForm::updateSlotHints() {
  for (int slot = 0; slot < CCommon::kSlotCount; ++slot) {
    const QString hint = qs(common_.slot(slot)->fileName);
    slotActions_[static_cast<size_t>(slot)]->setToolTip(hint);
    slotActions_[static_cast<size_t>(slot)]->setStatusTip(hint);
  }
}

void TMainForm::updateSlotIcons() {
  for (int slot = 0; slot < CCommon::kSlotCount; ++slot) {
    slotActions_[static_cast<size_t>(slot)]->setIcon(slotIcon(slot == common_.selectedSlot(), palette()));
  }
}

void TMainForm::closeEvent(QCloseEvent* event) {
  writeSettings();
  if (radioWindow_.isBusy()) {
    prompt_.information("Currently busy reading/writing with the radio. ");
    event->ignore();
    return;
  }
  for (int slot = 0; slot < CCommon::kSlotCount; ++slot) {
    if (common_.isDirty(slot) &&
        !prompt_.confirmWarning("Unsaved code plug " + std::to_string(slot + 1) + ". \n\nDiscard it ? ")) {
      event->ignore();
      return;
    }
  }
  if (radioWindow_.isShowing()) radioWindow_.closeWindow();
  event->accept();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (!urls.isEmpty() && urls.front().isLocalFile()) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.front().isLocalFile()) return;
  event->acceptProposedAction();
  // Questions are asked once the drop has finished, so the source is not kept waiting.
  const QString path = urls.front().toLocalFile();
  QMetaObject::invokeMethod(
      this, [this, path] { openDroppedFile(path); }, Qt::QueuedConnection);
}

}  // namespace tamberlin
