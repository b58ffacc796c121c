#include "app/editor_tabs.h"

#include <array>

#include "editors/basic/basic_form.h"
#include "editors/buttons/buttons_form.h"
#include "editors/channels/channels_form.h"
#include "editors/contacts/contacts_form.h"
#include "editors/groups/groups_form.h"
#include "editors/text_messages/text_messages_form.h"
#include "editors/general/general_form.h"
#include "editors/menus/menus_form.h"

namespace tamberlin {

namespace {

// An editor is plugged in by naming its factory: makeEditor<TBasicForm>.
constexpr std::array<EditorTab, 16> kTabs = {{
    {"Basic", "BasicTabSheet", makeEditor<TBasicForm>},
    {"General", "GeneralTabSheet", makeEditor<TGeneralForm>},
    {"Menus", "MenusTabSheet", makeEditor<TMenusForm>},
    {"Buttons", "ButtonsTabSheet", makeEditor<TButtonsForm>},
    {"Digi Text Msg", "TextMessageTabSheet", makeEditor<TTextMessageForm>},
    {"Digi Voice Encryption", "VoiceEncryptionTabSheet", nullptr},
    {"Digi Emergency Systems", "EmergencySystemTabSheet", nullptr},
    {"Digi Contacts", "DigitalContactsTabSheet", makeEditor<TDigitalContactsForm>},
    {"Digi Repeaters", "RepeatersTabSheet", nullptr},
    {"Digi Rx Groups", "GroupsTabSheet", makeEditor<TGroupsForm>},
    {"Zones", "ZonesTabSheet", nullptr},
    {"Scan Lists", "ScanListsTabSheet", nullptr},
    {"Channels", "ChannelsTabSheet", makeEditor<TChannelsForm>},
    {"DTMF", "DTMFTabSheet", nullptr},
    {"GPS", "GPSTabSheet", nullptr},
    {"VFO", "VFOTabSheet", nullptr},
}};

}  // namespace

std::span<const EditorTab> editorTabs() { return kTabs; }

}  // namespace tamberlin
