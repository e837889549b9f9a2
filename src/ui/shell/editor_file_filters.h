#pragma once

#include <QString>

namespace morvane {

// The filter lists of the editors' open and save dialogs (waveforms, parameters, spectra); the
// save list adds the system-exclusive files before the last entry.
inline const QString kEditorOpenFilter =
    "8bits sound files (bin, raw)|*.bin;*.raw|Morvane-8  parameters file (*.MRV)|*.MRV|"
    "Spectrum file (*.MSP) |*.MSP|All files (*.*)|*.*";
inline const QString kEditorSaveFilter =
    "8bits sound files (bin, raw)|*.bin;*.raw|Morvane-8  parameters file (*.MRV)|*.MRV|"
    "Spectrum file (*.MSP) |*.MSP|Sysex Files|*.syx|All files (*.*)|*.*";
// 1-based entries of those lists.
inline constexpr int kSpectrumFilterIndex = 3;
inline constexpr int kSysexFilterIndex = 4;

}  // namespace morvane
