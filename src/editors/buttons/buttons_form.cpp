#include "editors/buttons/buttons_form.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

#include "codeplug/ccommon.h"
#include "editors/buttons/buttons_model.h"
#include "ui/choice_delegate.h"
#include "ui/list_table_model.h"
#include "ui/list_view.h"
#include "ui/lock_window.h"
#include "ui/setting_widgets.h"

namespace tamberlin {

namespace {

constexpr int kKeyBoxWidth = 160;

QStringList headerTexts(const std::vector<std::string_view>& headers) {
  QStringList texts;
  for (std::string_view header : headers) texts << toQString(header);
  return texts;
}

std::vector<CellChoice> cellChoices(const std::vector<ChoiceItem>& items) {
  std::vector<CellChoice> choices;
  choices.reserve(items.size());
  for (const ChoiceItem& item : items) choices.push_back({QString::fromStdString(item.text), item.value});
  return choices;
}

// A list tall enough to show every row without scrolling.
void fitRows(ListView* list, int rows) {
  const int height = list->horizontalHeader()->sizeHint().height() +
                     rows * list->verticalHeader()->defaultSectionSize() + 2 * list->frameWidth();
  list->setMinimumHeight(height);
  list->setMaximumHeight(height);
}

ListView* createList(const char* name, QWidget* parent) {
  auto* list = new ListView(parent);
  list->setObjectName(name);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  return list;
}

QWidget* titledList(const QString& title, ListView* list, QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* column = new QVBoxLayout(box);
  column->setContentsMargins(0, 0, 0, 0);
  auto* caption = new QLabel(title, box);
  caption->setBuddy(list);
  column->addWidget(caption);
  column->addWidget(list);
  return box;
}

}  // namespace

TButtonsForm::TButtonsForm(EditorContext context, QWidget* parent) : EditorForm(context, parent) {
  auto* content = new QWidget;

  // Only one panel shows at a time; hidden ones take no room in a box layout.
  auto* keys = new QGroupBox("Programmable Buttons", content);
  auto* keyRows = new QVBoxLayout(keys);
  for (const KeyPanel& panel : keyPanels()) keyRows->addWidget(createPanel(panel, keys));
  auto* durationForm = new QFormLayout;
  durationForm->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  keyRows->addSpacing(6);
  keyRows->addLayout(durationForm);
  const ChoiceSetting& duration = longPressDurationSetting();
  longPressDuration_ = createChoiceBox(duration, keys);
  addSettingRow(durationForm, duration.label, longPressDuration_);
  connect(longPressDuration_, &QComboBox::activated, this, [this](int index) {
    ButtonsSettings(common().selected())
        .chooseLongPressDuration(longPressDuration_->itemData(index).toULongLong());
  });
  auto* left = new QVBoxLayout;
  left->addWidget(keys);
  left->addStretch(1);

  auto* right = new QVBoxLayout;
  right->addWidget(createOneTouchList(content));
  right->addSpacing(12);
  right->addWidget(createNumberKeyList(content));
  right->addStretch(1);

  auto* columns = new QHBoxLayout(content);
  columns->addLayout(left);
  columns->addLayout(right, 1);

  placeInScrollArea(this, content);

  refresh();
}

// A grid of the panel's keys: the label, then the short and the long press box.
QWidget* TButtonsForm::createPanel(const KeyPanel& panel, QWidget* parent) {
  auto* widget = new QWidget(parent);
  widget->setObjectName(toQString(panel.name));
  auto* grid = new QGridLayout(widget);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(new QLabel("Short Press", widget), 0, 1);
  grid->addWidget(new QLabel("Long Press", widget), 0, 2);
  int row = 1;
  for (const ProgrammableKey& key : panel.keys) {
    QComboBox* shortPress = createKeyBox(key.shortPress, widget);
    auto* caption = new QLabel(toQString(key.label), widget);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    caption->setBuddy(shortPress);
    grid->addWidget(caption, row, 0);
    grid->addWidget(shortPress, row, 1);
    grid->addWidget(createKeyBox(key.longPress, widget), row, 2);
    ++row;
  }
  panels_.emplace_back(&panel, widget);
  return widget;
}

QComboBox* TButtonsForm::createKeyBox(const ChoiceSetting& setting, QWidget* parent) {
  QComboBox* box = createChoiceBox(setting, parent);
  box->setMinimumWidth(kKeyBoxWidth);
  keyBoxes_.emplace_back(&setting, box);
  connect(box, &QComboBox::activated, this, [this, &setting, box](int index) {
    ButtonsSettings(common().selected()).chooseKey(setting, box->itemData(index).toULongLong());
  });
  return box;
}

QWidget* TButtonsForm::createOneTouchList(QWidget* parent) {
  oneTouchList_ = createList("OneTouchAccessListView", parent);
  oneTouchModel_ = new ListTableModel(
      headerTexts(oneTouchHeaders()),
      [this] { return ButtonsSettings(common().selected()).active() ? buttons_layout::kOneTouchCount : 0; },
      [this](int row, int column) {
        return QString::fromStdString(
            ButtonsSettings(common().selected()).oneTouchText(row, static_cast<OneTouchColumn>(column)));
      },
      oneTouchList_);
  oneTouchList_->setModel(oneTouchModel_);
  for (OneTouchColumn column :
       {OneTouchColumn::Mode, OneTouchColumn::Contact, OneTouchColumn::CallType, OneTouchColumn::Message}) {
    const int index = static_cast<int>(column);
    oneTouchModel_->setEditable(index, [this, column](int row, int, const QVariant& value) {
      ButtonsSettings(common().selected()).chooseOneTouch(row, column, value.toInt());
      return true;  // the row shows what was stored, whatever was chosen
    });
    oneTouchList_->setCellDelegate(
        index, new ChoiceDelegate(
                   [this, column](int row) {
                     return cellChoices(ButtonsSettings(common().selected()).oneTouchChoices(row, column));
                   },
                   [this, column](int row) {
                     return ButtonsSettings(common().selected()).oneTouchValue(row, column);
                   },
                   oneTouchList_));
  }
  QHeaderView* header = oneTouchList_->horizontalHeader();
  header->resizeSection(static_cast<int>(OneTouchColumn::Number), 36);
  header->resizeSection(static_cast<int>(OneTouchColumn::Mode), 80);
  header->resizeSection(static_cast<int>(OneTouchColumn::Contact), 140);
  header->resizeSection(static_cast<int>(OneTouchColumn::CallType), 100);
  oneTouchList_->setMinimumWidth(500);
  fitRows(oneTouchList_, buttons_layout::kOneTouchCount);
  return titledList("Side Button One Touch Call ", oneTouchList_, parent);
}

QWidget* TButtonsForm::createNumberKeyList(QWidget* parent) {
  numberKeyList_ = createList("NumberKeyQuickContactAccessListView", parent);
  numberKeyModel_ = new ListTableModel(
      headerTexts(numberKeyHeaders()),
      [this] { return ButtonsSettings(common().selected()).active() ? buttons_layout::kNumberKeyCount : 0; },
      [this](int row, int column) {
        return QString::fromStdString(
            ButtonsSettings(common().selected()).numberKeyText(row, static_cast<NumberKeyColumn>(column)));
      },
      numberKeyList_);
  numberKeyList_->setModel(numberKeyModel_);
  const int contactColumn = static_cast<int>(NumberKeyColumn::Contact);
  numberKeyModel_->setEditable(contactColumn, [this](int row, int, const QVariant& value) {
    ButtonsSettings(common().selected()).chooseNumberKey(row, value.toInt());
    return true;
  });
  numberKeyList_->setCellDelegate(
      contactColumn,
      new ChoiceDelegate(
          [this](int) { return cellChoices(ButtonsSettings(common().selected()).numberKeyChoices()); },
          [this](int row) { return ButtonsSettings(common().selected()).numberKeyValue(row); },
          numberKeyList_));
  numberKeyList_->horizontalHeader()->resizeSection(static_cast<int>(NumberKeyColumn::Key), 80);
  fitRows(numberKeyList_, buttons_layout::kNumberKeyCount);
  return titledList("Key Pad Number Key Quick Access ", numberKeyList_, parent);
}

void TButtonsForm::refreshAll() { refresh(); }
void TButtonsForm::refreshShown() { refresh(); }

void TButtonsForm::refresh() {
  LockWindow lock(this);
  const ButtonsSettings settings(common().selected());
  setEnabled(settings.active());
  const KeyPanel* shown = settings.panel();
  for (auto& [panel, widget] : panels_) widget->setVisible(panel == shown);
  for (auto& [setting, box] : keyBoxes_) showChoice(box, settings.shownChoice(*setting));
  showChoice(longPressDuration_, settings.shownChoice(longPressDurationSetting()));
  oneTouchModel_->refresh();
  numberKeyModel_->refresh();
}

}  // namespace tamberlin
