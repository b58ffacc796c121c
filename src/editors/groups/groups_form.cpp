#include "editors/groups/groups_form.h"

#include <QHBoxLayout>
#include <QSplitter>

#include "codeplug/c_codeplug.h"
#include "editors/groups/groups_model.h"
#include "ui/list_editor_panel.h"
#include "ui/list_view.h"
#include "ui/lock_window.h"
#include "ui/member_list_editor.h"
#include "ui/name_delegate.h"

namespace tamberlin {

namespace {
constexpr int kNameColumn = 2;
}  // namespace

TGroupsForm::TGroupsForm(EditorContext context, QWidget* parent) : EditorForm(context, parent) {
  setObjectName("TGroupsForm");
  setWindowTitle("Digital Groups");
  auto* layout = new QHBoxLayout(this);
  auto* splitter = new QSplitter(Qt::Horizontal, this);
  layout->addWidget(splitter);

  panel_ = new ListEditorPanel(
      prompt(), [this] { return selectedCodeplug(); },
      [](const c_codeplug& s) { return groupListSection(s); }, {"", "No.", "Name"},
      [this](int row, int column) -> QString {
        c_codeplug* s = selectedCodeplug();
        if (!s || column == 0) return {};
        if (column == 1) return QString::number(row + 1);
        const ListSection section = groupListSection(*s);
        const std::u16string name = ListEngine(*s, section).displayName(row);
        return QString::fromUtf16(name.data(), static_cast<qsizetype>(name.size()));
      },
      ListPanelOperations{}, splitter);
  panel_->view()->setCellDelegate(kNameColumn, new NameDelegate(u"", panel_->view()));
  panel_->model()->setEditable(kNameColumn, [this](int row, int, const QVariant& text) {
    c_codeplug* s = selectedCodeplug();
    if (!s) return false;
    const ListSection section = groupListSection(*s);
    return ListEngine(*s, section).rename(row, text.toString().toStdU16String());
  });

  members_ = new MemberListEditor(groupMemberTexts(), kGroupListMembers, splitter);
  splitter->addWidget(panel_);
  splitter->addWidget(members_);
  splitter->setStretchFactor(0, 2);
  splitter->setStretchFactor(1, 3);

  connect(panel_, &ListEditorPanel::selectionChanged, this, &TGroupsForm::selectionChanged);
  timer_.setInterval(25);
  connect(&timer_, &QTimer::timeout, this, [this] {
    panel_->tick();
    members_->tick();
  });
  timer_.start();
  refreshAll();
}

void TGroupsForm::refreshAll() {
  const LockWindow lock(this);
  setEnabled(selectedCodeplug() != nullptr);
  shownList_ = -1;
  panel_->refresh(true);
}

void TGroupsForm::refreshShown() {
  const LockWindow lock(this);
  shownList_ = -1;
  panel_->refresh(false);
}

// The members follow the selection: shown only while exactly one list is.
void TGroupsForm::selectionChanged() {
  const std::vector<int> rows = panel_->view()->selectedRows();
  c_codeplug* s = selectedCodeplug();
  const int list = s && rows.size() == 1 ? rows.front() : -1;
  if (list == shownList_ && list >= 0) {
    members_->refresh();
    return;
  }
  shownList_ = list;
  members_->setList(list >= 0 ? groupListMembers(*s, list) : nullptr);
}

}  // namespace tamberlin
