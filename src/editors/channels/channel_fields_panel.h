#pragma once

#include <QWidget>
#include <functional>
#include <span>
#include <vector>

#include "codeplug/radio_models.h"
#include "editors/channels/channel_fields.h"

class QLabel;
class QLineEdit;
class QSlider;
class QPushButton;

namespace tamberlin {

class ToggleSwitch;
class WideComboBox;
class c_codeplug;

// The field controls of a channel record. They show all the records handed to
// them at once (a field whose value differs among them shows nothing) and
// write every change into all of them. The channel editor hands it the
// selected channels; a single record (a VFO) works the same way.
class ChannelFieldsPanel : public QWidget {
  Q_OBJECT

 public:
  explicit ChannelFieldsPanel(QWidget* parent);

  // The slot the records lie in: its family picks the control set, its radio
  // info block the band limits, its lists the name choices.
  void setSlot(c_codeplug* slot);
  // Where the records come from. They are fetched again before every show
  // and every write, so a slot whose buffer was replaced is never written
  // through stale spans.
  using RecordSource = std::function<std::vector<std::span<uint8_t>>()>;
  void setRecordSource(RecordSource source);
  // "Scan List ", "Emergency System ", "Tx Contact Destination ", "Rx Group List ".
  void rebuildNameLists();
  // Reads every control from the records, without writing.
  void showRecords();
  void setFieldShown(ChannelField field, bool shown);

 signals:
  void recordsWritten();

 private:
  enum class Kind { Switch, Slider, Choice, NameList };
  struct Control {
    ChannelField field;
    Kind kind;
    QWidget* widget = nullptr;
    QLabel* label = nullptr;       // the caption beside it, if any
    QLabel* valueLabel = nullptr;  // a slider's position text
    ListSectionId names = ListSectionId::Channels;
  };

  Control& add(ChannelField field, Kind kind, QWidget* widget, QLabel* label = nullptr);
  void buildControls();
  void applyFamily();
  void fetchRecords();
  void fillChoices(Control& control, const std::vector<FieldChoice>& choices);
  void showControl(Control& control);
  void write(ChannelField field, int value);
  void writeFrequency(bool rx, const QString& text);
  void showFrequencies();
  void showStoredFrequency(bool rx);
  void updateOffset();
  void copyFrequency(bool rxToTx);
  void swapFrequencies();

  c_codeplug* slot_ = nullptr;
  ModelFamily family_ = ModelFamily::None;
  RecordSource source_;
  std::vector<std::span<uint8_t>> records_;
  std::vector<Control> controls_;
  QLineEdit* rxFrequency_ = nullptr;
  QLineEdit* txFrequency_ = nullptr;
  QLabel* offset_ = nullptr;
  QPushButton* copyRxToTx_ = nullptr;
  QPushButton* copyTxToRx_ = nullptr;
  QPushButton* swap_ = nullptr;
  bool showing_ = false;
};

}  // namespace tamberlin
