#include "ui/module/midi_log_pane.h"

#include <QFont>
#include <QMouseEvent>
#include <QPalette>
#include <QScrollBar>
#include <QTextBlock>

#include "core/module/midi_log_colors.h"
#include "ui/shell/color_value.h"

namespace morvane {

MidiLogPane::MidiLogPane(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName("Memo1");
  setReadOnly(true);
  setFrameShape(QFrame::NoFrame);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont font("Helvetica");
  font.setPointSize(8);
  setFont(font);
  SetColors(kDefaultLogLineColor, kDefaultLogBackColor);
}

void MidiLogPane::AddLine(const std::string& line) {
  appendPlainText(QString::fromStdString(line));
  has_lines_ = true;
  verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void MidiLogPane::Clear() {
  clear();
  has_lines_ = false;
}

std::vector<std::string> MidiLogPane::Lines() const {
  std::vector<std::string> lines;
  // An empty document still has one (empty) block: it is a line only once one was added.
  if (!has_lines_) return lines;
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    lines.push_back(block.text().toStdString());
  }
  return lines;
}

void MidiLogPane::SetColors(std::uint32_t line, std::uint32_t back) {
  line_color_ = line;
  back_color_ = back;
  QPalette colours = palette();
  colours.setColor(QPalette::Text, ColorFromValue(line));
  colours.setColor(QPalette::Base, ColorFromValue(back));
  setPalette(colours);
  // A style sheet holds whatever the platform style paints with.
  setStyleSheet(QString("QPlainTextEdit { color: %1; background-color: %2; }")
                    .arg(ColorFromValue(line).name(), ColorFromValue(back).name()));
}

void MidiLogPane::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
  Clear();
}

}  // namespace morvane
