#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "core/midi/dump_engine.h"
#include "core/midi/ports_transfer_port.h"
#include "platform/midi/notified_event_wait.h"

namespace morvane {

class AppContext;

// One transfer with the module as the windows run it: the editor's ports with the input's wake,
// the module control window's log (whose errors reset the ports), the transport window's gauge,
// the busy cursor, and the displays that the transfer touches. The settings of the module control
// window and the options dialog are read when the session starts.
class TransferSession final : public DumpView, public TransferLog {
 public:
  explicit TransferSession(AppContext& app);
  ~TransferSession() override;
  TransferSession(const TransferSession&) = delete;
  TransferSession& operator=(const TransferSession&) = delete;

  DumpEngine& engine() { return engine_; }
  TransferPort& port() { return port_; }
  TransferLog& log() { return *this; }
  const DumpSettings& settings() const { return settings_; }

  // Runs `transfer`; a port error ends it and is shown in a box, as every command's is.
  static void Run(AppContext& app, const std::function<void(TransferSession&)>& transfer);

  // DumpView
  void BeginBusy() override;
  void EndBusy() override;
  void ShowProgress(const std::string& caption, int maximum) override;
  void SetProgress(int position) override;
  void HideProgress() override;
  void ShowWaveform(int index) override;
  void WaveformReceived(int index) override;
  void RefreshEditor() override;
  void RefreshGrid() override;
  void RefreshSpectralMap() override;

  // TransferLog
  void AddLine(const std::string& line) override;
  void LogError(const std::string& text) override;

 private:
  static DumpSettings ReadSettings(AppContext& app);

  AppContext& app_;
  DumpSettings settings_;
  NotifiedEventWait wait_;
  PortsTransferPort port_;
  DumpEngine engine_;
  // What the waveform editor showed before: a send gives it back at the end.
  std::array<std::uint8_t, kWaveLength> shown_before_{};
  bool received_ = false;
};

}  // namespace morvane
