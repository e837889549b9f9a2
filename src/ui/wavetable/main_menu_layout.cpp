#include "ui/wavetable/main_menu_layout.h"

#include <array>

namespace morvane {

namespace {

constexpr const char* kFile = "&File";
constexpr const char* kSelection = "&Selection";
constexpr const char* kFind = "Fin&d";
constexpr const char* kCalcul = "Calcul";
constexpr const char* kView = "&View";
constexpr const char* kHelp = "&Help";

constexpr MainMenuEntry Separator(const char* menu) { return {menu, nullptr, nullptr, ""}; }

// Captions keep their own spacing: the View entries carry their key in the caption itself.
constexpr std::array kLayout = {
    MainMenuEntry{kFile, "New", "mnuNew", "Ctrl+Del"},
    Separator(kFile),
    MainMenuEntry{kFile, "Load ", "mnuLoad", "Ctrl+L"},
    MainMenuEntry{kFile, "Import ", "mnuImport", "Ctrl+I"},
    MainMenuEntry{kFile, "Save", "mnuSave", "Ctrl+S"},
    Separator(kFile),
    MainMenuEntry{kFile, "Send to MIDI", "mnuSendMidi", "F9"},
    MainMenuEntry{kFile, "Receive from MIDI", "mnuReceiveMidi", "F10"},
    Separator(kFile),
    MainMenuEntry{kFile, "Exit", "mnuExit", "Ctrl+Q"},

    MainMenuEntry{kSelection, "Select All", "mnuSelectAll", "Ctrl+A"},
    MainMenuEntry{kSelection, "Select Bank", "mnuSelectBank", "Ctrl+B", true, false},
    Separator(kSelection),
    MainMenuEntry{kSelection, "Delete", "mnuDelete", "Del"},
    Separator(kSelection),
    MainMenuEntry{kSelection, "Reverse", "mnuReverse", "Ctrl+R"},
    MainMenuEntry{kSelection, "Unsigned", "mnuUnsigned", "Ctrl+U"},
    MainMenuEntry{kSelection, "Center", "mnuCenter", "Ctrl+O"},
    MainMenuEntry{kSelection, "Normalise", "mnuNormalise", "Ctrl+N"},
    Separator(kSelection),
    MainMenuEntry{kSelection, "µLaw to Lin", "mnuMuLawToLin", "Ctrl+H"},
    MainMenuEntry{kSelection, "Lin to µLaw", "mnuLinToMuLaw", "Ctrl+G"},
    Separator(kSelection),
    MainMenuEntry{kSelection, "Linear Morphing", "mnuLinearMorphing", "F11"},
    MainMenuEntry{kSelection, "Tonal Morphing", "mnuTonalMorphing", "F12"},
    MainMenuEntry{kSelection, "Restore Order", "mnuRestoreOrder", "Ctrl+F12"},
    Separator(kSelection),
    MainMenuEntry{kSelection, "Send to MIDI", "mnuSendSelection", "Ctrl+F9"},
    MainMenuEntry{kSelection, "Receive from MIDI", "mnuReceiveSelection", "Ctrl+F10"},

    MainMenuEntry{kFind, "Buffer", "mnuFindBuffer", "F3"},
    MainMenuEntry{kFind, "Scales", "mnuFindScales", "Ctrl+F3"},
    MainMenuEntry{kFind, "Ramp", "mnuFindRamp", "Ctrl+R"},
    MainMenuEntry{kFind, "Empty", "mnuFindEmpty", "Ctrl+E"},
    Separator(kFind),
    MainMenuEntry{kFind, "Double", "mnuFindDouble", "Ctrl+D"},
    MainMenuEntry{kFind, "Mark fisrt Double ", "mnuMarkFirstDouble", "", true, false},
    Separator(kFind),
    MainMenuEntry{kFind, "Compare  Wavetables", "mnuCompare", ""},
    Separator(kFind),
    MainMenuEntry{kFind, "Clear Markers", "mnuClearMarkers", "Ctrl+C"},

    MainMenuEntry{kCalcul, "Scales 0...2k", "mnuScales0To2k", ""},
    MainMenuEntry{kCalcul, "Scales 2k..4k", "mnuScales2kTo4k", ""},
    Separator(kCalcul),
    MainMenuEntry{kCalcul, "Fast Random", "mnuFastRandom", ""},
    MainMenuEntry{kCalcul, "FFT Window Functions ...", "mnuWindowFunctions", ""},

    MainMenuEntry{kView, "AutoSize                 /", "mnuAutoSize", "", true, true},
    MainMenuEntry{kView, "Zoom In                 +", "mnuZoomIn", ""},
    MainMenuEntry{kView, "Zoom Out               -", "mnuZoomOut", ""},
    MainMenuEntry{kView, "Minimun                  0", "mnuMinimun", "", true, false},
    Separator(kView),
    MainMenuEntry{kView, "Waveform editor", "mnuWaveformEditor", "F6", true, false},
    MainMenuEntry{kView, "FFT editor", "mnuFftEditor", "F7", true, false},
    MainMenuEntry{kView, "Sample editor", "mnuSampleEditor", "F4"},
    MainMenuEntry{kView, "Spectral Map", "mnuSpectralMap", "F8", true, false},
    MainMenuEntry{kView, "Functions", "mnuFunctions", "Ctrl+F2", true, false},
    MainMenuEntry{kView, "Scales", "mnuScalesWindow", "Ctrl+F3", true, false},
    Separator(kView),
    MainMenuEntry{kView, "Options ", "mnuOptions", "F2"},
    MainMenuEntry{kView, "Module Control", "mnuModuleControl", "F5", true, false},

    MainMenuEntry{kHelp, "About...", "mnuAbout", "F1"},
};

}  // namespace

std::span<const MainMenuEntry> MainMenuLayout() { return kLayout; }

}  // namespace morvane
