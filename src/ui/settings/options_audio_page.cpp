#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <exception>

#include "platform/audio/audio_device_list.h"
#include "ui/controls/value_knob.h"
#include "ui/settings/options_dialog.h"
#include "ui/shell/app_context.h"
#include "ui/shell/message_reporter.h"

namespace morvane {

namespace {

constexpr int kMaxBufferKnob = 9999;

QButtonGroup* AddRadioButtons(QGroupBox* box, const QStringList& captions, int checked) {
  auto* group = new QButtonGroup(box);
  auto* layout = new QVBoxLayout(box);
  for (int i = 0; i < captions.size(); ++i) {
    auto* button = new QRadioButton(captions[i], box);
    button->setChecked(i == checked);
    group->addButton(button, i);
    layout->addWidget(button);
  }
  return group;
}

}  // namespace

QWidget* OptionsDialog::BuildAudioPage() {
  auto* page = new QWidget(this);
  page->setObjectName("TabAudio");
  auto* layout = new QVBoxLayout(page);

  auto* output = new QGroupBox("Audio Device Output", page);
  auto* output_layout = new QVBoxLayout(output);
  audio_device_list_ = new QComboBox(output);
  audio_device_list_->setObjectName("cbAudioOutdevice");
  audio_device_list_->setMaxVisibleItems(32);
  audio_device_list_->setMinimumWidth(280);
  output_layout->addWidget(audio_device_list_);
  layout->addWidget(output);

  // The number of buffers and the playback method are kept as settings only: the output
  // chooses its own buffering.
  auto* buffers = new QWidget(page);
  buffers->setObjectName("pnlOutputBuffer");
  auto* buffer_row = new QHBoxLayout(buffers);
  buffer_knob_ = MakeKnob("kvpotOutputBufferSize", 0, kMaxBufferKnob, kInitialBufferKnob, "");
  buffer_bytes_label_ = new QLabel(buffers);
  buffer_bytes_label_->setObjectName("lbOutputBufferSize");
  buffer_row->addWidget(buffer_knob_);
  buffer_row->addWidget(buffer_bytes_label_);
  buffers->hide();
  layout->addWidget(buffers);
  auto* playback = new QGroupBox(" Playback method", page);
  playback->setObjectName("GrpPlayback");
  playback_group_ = AddRadioButtons(playback, {"Window", "Thread", "Interrupt"}, 0);
  playback->hide();
  layout->addWidget(playback);

  auto* rates = new QGroupBox(" Sample Rate ", page);
  rates->setObjectName("GrpSampleRate");
  QStringList captions;
  for (int rate : kSampleRates) captions << QString("&%1 Hz").arg(rate);
  sample_rate_group_ = AddRadioButtons(rates, captions, kStartSampleRatePosition);
  layout->addWidget(rates);
  layout->addStretch(1);

  connect(audio_device_list_, &QComboBox::activated, this, &OptionsDialog::DeviceEntryChosen);
  connect(buffer_knob_, &ValueKnob::OnChange, this, &OptionsDialog::ShowBufferBytes);
  connect(playback_group_, &QButtonGroup::idClicked, this,
          [this](int id) { audio_output_.method = static_cast<PlaybackMethod>(id); });
  connect(sample_rate_group_, &QButtonGroup::idClicked, this,
          &OptionsDialog::SetSampleRatePosition);
  return page;
}

// The default output first, then every device. Any failure of the sound system leaves the
// output on device 0 and says so.
void OptionsDialog::ListAudioDevices(bool settings_exist) {
  try {
    const AudioOutputList outputs = app_.audio_devices().ListOutputs();
    const int device_count = static_cast<int>(outputs.devices.size());
    if (device_count > 0) {
      audio_device_list_->clear();
      audio_device_list_->addItem(QString::fromStdString(outputs.default_name));
      for (const std::string& name : outputs.devices) {
        audio_device_list_->addItem(QString::fromStdString(name));
      }
      if (settings_exist) {
        OptionsDialogSettings stored;
        SettingsReader reader = app_.settings().OpenForReading();
        ReadAudioOutputSettings(reader, stored);
        ReportSettingsReadError(app_.messages(), reader);
        buffer_knob_->SetState(stored.audio_buffers);
        audio_device_list_->setCurrentIndex(ValidListEntry(stored.audio_out, device_count));
      }
      audio_output_.device = DeviceOfListEntry(audio_device_list_->currentIndex());
    }
    if (buffer_knob_->State() == 0) buffer_knob_->SetState(audio_output_.buffer_count);
    ShowBufferBytes();
    // The output has no interrupt-driven mode.
    playback_group_->button(static_cast<int>(PlaybackMethod::kInterrupt))->setEnabled(false);
    playback_group_->button(static_cast<int>(audio_output_.method))->setChecked(true);
  } catch (const std::exception&) {
    app_.messages().Show("Hardware error", "No Audio device found ", QMessageBox::Ok,
                         QMessageBox::Critical);
    audio_output_.device = 0;
  }
}

void OptionsDialog::DeviceEntryChosen(int entry) {
  ChooseOutputEntry(audio_output_, entry, buffer_knob_->State());
}

void OptionsDialog::ShowBufferBytes() {
  const std::int64_t total = TotalBufferBytes(audio_output_, buffer_knob_->State());
  buffer_bytes_label_->setText(QString::fromStdString(BufferBytesCaption(total)));
}

void OptionsDialog::SetSampleRatePosition(int position) {
  if (QAbstractButton* button = sample_rate_group_->button(position)) button->setChecked(true);
  audio_format_ = BuildPcmFormat(1, 8, SampleRateAt(position));
}

}  // namespace morvane
