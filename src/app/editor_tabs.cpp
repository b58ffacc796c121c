#include "app/editor_tabs.h"

#include <array>

namespace tamberlin {

namespace {

// An editor is plugged in by naming its factory: makeEditor<TBasicForm>.
constexpr std::array<EditorTab, 16> kTabs = {{
    {"Basic", "BasicTabSheet", nullptr},
    {"General", "GeneralTabSheet", nullptr},
    {"Menus", "MenusTabSheet", nullptr},
    {"Buttons", "ButtonsTabSheet", nullptr},
    {"Digi Text Msg", "TextMessageTabSheet", nullptr},
    {"Digi Voice Encryption", "VoiceEncryptionTabSheet", nullptr},
    {"Digi Emergency Systems", "EmergencySystemTabSheet", nullptr},
    {"Digi Contacts", "DigitalContactsTabSheet", nullptr},
    {"Digi Repeaters", "RepeatersTabSheet", nullptr},
    {"Digi Rx Groups", "GroupsTabSheet", nullptr},
    {"Zones", "ZonesTabSheet", nullptr},
    {"Scan Lists", "ScanListsTabSheet", nullptr},
    {"Channels", "ChannelsTabSheet", nullptr},
    {"DTMF", "DTMFTabSheet", nullptr},
    {"GPS", "GPSTabSheet", nullptr},
    {"VFO", "VFOTabSheet", nullptr},
}};

}  // namespace

std::span<const EditorTab> editorTabs() { return kTabs; }

}  // namespace tamberlin
