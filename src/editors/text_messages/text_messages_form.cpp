#include "editors/text_messages/text_messages_form.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "codeplug/c_codeplug.h"
#include "codeplug/section_table.h"
#include "editors/text_messages/text_messages_model.h"
#include "ui/list_editor_panel.h"
#include "ui/list_view.h"
#include "ui/lock_window.h"
#include "ui/name_delegate.h"

namespace tamberlin {

namespace {
constexpr int kTextColumn = 2;
}  // namespace

TTextMessageForm::TTextMessageForm(EditorContext context, QWidget* parent) : EditorForm(context, parent) {
  setObjectName("TTextMessageForm");
  setWindowTitle("Digital Text Message");
  auto* layout = new QVBoxLayout(this);
  panel_ = new ListEditorPanel(
      prompt(), [this] { return selectedCodeplug(); },
      [](const c_codeplug& s) { return textMessageSection(s); }, {"", "No.", "Message"},
      [this](int row, int column) -> QString {
        const c_codeplug* s = selectedCodeplug();
        if (!s || column == 0) return {};
        if (column == 1) return QString::number(row + 1);
        const std::u16string text = textMessageText(*s, row);
        return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
      },
      ListPanelOperations{.moves = false, .popupMenu = false}, this);
  layout->addWidget(panel_);
  // A declined question keeps the messages above it too.
  panel_->controller()->setStopDeleteOnDecline(true);
  ListView* view = panel_->view();
  view->setCellDelegate(kTextColumn,
                        new NameDelegate(std::u16string(kTextMessageRefused), view, kTextMessageUnits));
  panel_->model()->setEditable(kTextColumn, [this](int row, int, const QVariant& text) {
    c_codeplug* s = selectedCodeplug();
    return s && commitTextMessage(*s, row, text.toString().toStdU16String());
  });
  view->viewport()->installEventFilter(this);
  refreshAll();
}

void TTextMessageForm::refreshAll() {
  const LockWindow lock(this);
  setEnabled(selectedCodeplug() != nullptr);
  panel_->refresh(true);
}

void TTextMessageForm::refreshShown() {
  const LockWindow lock(this);
  panel_->refresh(false);
}

bool TTextMessageForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == panel_->view()->viewport() && event->type() == QEvent::MouseButtonDblClick) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton &&
        !panel_->view()->indexAt(mouse->position().toPoint()).isValid()) {
      appendAndEdit();
      return true;
    }
  }
  return EditorForm::eventFilter(watched, event);
}

void TTextMessageForm::appendAndEdit() {
  ListEditorController* controller = panel_->controller();
  if (!controller->hasList() || controller->used() >= controller->capacity()) return;
  controller->add();
  const std::vector<int> rows = panel_->view()->selectedRows();
  if (rows.size() == 1) panel_->view()->edit(panel_->model()->index(rows.front(), kTextColumn));
}

}  // namespace tamberlin
