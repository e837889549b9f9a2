#pragma once

#include <QPlainTextEdit>
#include <cstdint>
#include <string>
#include <vector>

#include "core/midi/log_sink.h"

namespace morvane {

// "Memo1": the MIDI log in which transfers and module commands report, one line per entry. Read
// only, appended to and never trimmed; a double-click empties it.
class MidiLogPane : public QPlainTextEdit, public LogSink {
  Q_OBJECT

 public:
  explicit MidiLogPane(QWidget* parent = nullptr);

  void AddLine(const std::string& line) override;
  void Clear();
  std::vector<std::string> Lines() const;

  // Text and background, as 0x00BBGGRR numbers or system colour codes.
  void SetColors(std::uint32_t line, std::uint32_t back);
  std::uint32_t LineColor() const { return line_color_; }
  std::uint32_t BackColor() const { return back_color_; }

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  std::uint32_t line_color_ = 0;
  std::uint32_t back_color_ = 0;
  bool has_lines_ = false;
};

}  // namespace morvane
