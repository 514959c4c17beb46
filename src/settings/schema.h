// The one table of every setting: its section, key, type and default, and the C++ name the code
// refers to it by. A name that is not in the table, or that reads a setting as another type,
// does not compile. Nothing else in the program spells a key or a default.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

namespace rumo {

enum class SettingType {
    Integer,
    Switch,  // kept as an integer; on when it is not 0
    Text,
};

// A key as the store addresses it: a section ("Config", "Config/Minf2") and a name in it.
struct SettingKey {
    std::string section;
    std::string key;
    friend bool operator==(const SettingKey&, const SettingKey&) = default;
};

inline constexpr int kPlaceCount = 15;
inline constexpr int kMemoCount = 5;

// One row per setting, or per numbered family of settings: a '#' in the section and the key
// stands for the number, 1 to count.
struct SettingRow {
    std::string_view section;
    std::string_view key;
    SettingType type;
    int count;  // 0 for a single setting
    int integerDefault;
    std::string_view textDefault;
};

namespace schema_rows {

using enum SettingType;

constexpr SettingRow integer(std::string_view key, int fallback = 0) {
    return {"Config", key, Integer, 0, fallback, {}};
}
constexpr SettingRow onOff(std::string_view key, int fallback = 0) {
    return {"Config", key, Switch, 0, fallback, {}};
}
constexpr SettingRow text(std::string_view key, std::string_view fallback = {}) {
    return {"Config", key, Text, 0, 0, fallback};
}
constexpr SettingRow memoGroup(std::string_view key, SettingType type, int fallback = 0,
                               std::string_view textFallback = {}) {
    return {"Config/Minf#", key, type, kMemoCount, fallback, textFallback};
}

inline constexpr SettingRow kRows[] = {
    text("Where"),
    text("Name"),
    {"Config", "Place#", Text, kPlaceCount, 0, {}},
    integer("Screen"),
    integer("Mojimove"),
    integer("Mtype"),
    onOff("Riseki"),
    onOff("Daytime"),
    onOff("Esc"),
    onOff("Passcheck"),
    text("Password"),
    onOff("White"),
    onOff("Black"),
    onOff("Mojicol"),
    integer("Bitshow"),  // a picture switch: only exactly 1 shows the pictures
    integer("Bitall"),   // likewise
    text("Bitmap"),
    text("Bitmap2"),
    integer("ColorR"),
    integer("ColorG"),
    integer("ColorB"),
    text("Font", "ＭＳ Ｐゴシック"),
    integer("Size", 240),
    onOff("Bold"),
    onOff("Italic"),
    onOff("Torikeshi"),
    onOff("ULine"),
    integer("FColorR", 255),
    integer("FColorG"),
    integer("FColorB"),
    {"Config", "Memo#", Text, kMemoCount, 0, {}},
    onOff("Desktop", 1),
    integer("Left", 1),
    integer("Top", 1),
    onOff("Endflg"),
    text("Path"),
    text("Scrfile"),
    memoGroup("Memo#x", Integer),
    memoGroup("Memo#y", Integer),
    memoGroup("MFont#", Text, 0, "ＭＳ Ｐ明朝"),
    memoGroup("MSize#", Integer, 240),
    memoGroup("MBold#", Switch),
    memoGroup("MItalic#", Switch),
    memoGroup("MTorikeshi#", Switch),
    memoGroup("MULine#", Switch),
    memoGroup("MColorR#", Integer),
    memoGroup("MColorG#", Integer, 255),
    memoGroup("MColorB#", Integer),
    {"Config/Gazo", "Gazo#", Text, kPlaceCount, 0, {}},
    // The expected return time, "2026-12-07 14:30" in the local calendar; empty or absent: none.
    text("Modori"),
    // The times of day the quick picks 昼休み明け and 定時 set.
    text("Hiruake", "13:00"),
    text("Teiji", "17:30"),
    // The calendar the notice may take its destination from (names in
    // calendar/calendar_settings.h).
    {"Calendar", "Source#", Text, 10, 0, {}},  // a local .ics file or an http(s) URL; empty: free
    {"Calendar", "Enabled", Switch, 0, 0, {}},
    {"Calendar", "ShowTitle", Switch, 0, 0, {}},  // an event without a place shows its title
    {"Calendar", "Address", Text, 0, 0, {}},      // the user's, to see what they declined
    {"Calendar", "User#", Text, 10, 0, {}},       // the user name a CalDAV Source# signs in with
    // When the user last picked a destination or a return time by hand, in seconds since the
    // epoch; the calendar does not override such a pick for a while. Empty: no such pick.
    {"Calendar", "PickedByHand", Text, 0, 0, {}},
    // The team's board over a message broker (names in team/team_settings.h). Nothing is
    // published while Publish is off.
    {"Team", "Publish", Switch, 0, 0, {}},
    // mqtt[s]://[user@]host[:port]; the password is in the keyring.
    {"Team", "Broker", Text, 0, 0, {}},
    {"Team", "Topic", Text, 0, 0, {}},   // the team topic; each user's message lies under it
    {"Team", "UserId", Text, 0, 0, {}},  // empty: the login name
    {"Team", "PrivateWhere", Switch, 0, 0, {}},  // publish "外出中" instead of the destination
    // The user's chat status while the notice shows (names in team/chat_settings.h). Each
    // service is off until turned on; its token is in the keyring, never here.
    {"Chat", "Webhook", Switch, 0, 0, {}},
    {"Chat", "WebhookUrl", Text, 0, 0, {}},  // receives a JSON POST on each change
    {"Chat", "Mattermost", Switch, 0, 0, {}},
    {"Chat", "MattermostServer", Text, 0, 0, {}},  // https://chat.example.com
    {"Chat", "Slack", Switch, 0, 0, {}},
    {"Chat", "SlackServer", Text, 0, 0, "https://slack.com"},
    {"Chat", "Matrix", Switch, 0, 0, {}},
    {"Chat", "MatrixServer", Text, 0, 0, {}},  // the homeserver's client address
    {"Chat", "MatrixUser", Text, 0, 0, {}},    // @user:example.org
};

}  // namespace schema_rows

inline constexpr auto& kSettingRows = schema_rows::kRows;

// A setting, or one member of a numbered family, without its value type: for code that handles
// settings alike whatever they hold (the dialog's bindings, the choosers).
class SettingRef {
public:
    const SettingRow& row() const { return kSettingRows[row_]; }
    int number() const { return number_; }
    SettingKey key() const;  // the section and key with the number written in

    friend bool operator==(const SettingRef&, const SettingRef&) = default;

protected:
    constexpr SettingRef(std::size_t row, int number) : row_(row), number_(number) {}

private:
    std::size_t row_;
    int number_;
};

namespace schema_rows {

template <typename T>
inline constexpr bool kUnsupported = false;

template <typename T>
consteval SettingType typeHolding() {
    if constexpr (std::is_same_v<T, int>) {
        return Integer;
    } else if constexpr (std::is_same_v<T, bool>) {
        return Switch;
    } else if constexpr (std::is_same_v<T, std::string>) {
        return Text;
    } else {
        static_assert(kUnsupported<T>, "a setting holds an int, a bool or a std::string");
    }
}

// Runs at compile time only: a throw there stops the build at the misspelt or mistyped name.
consteval std::size_t rowNamed(std::string_view key, SettingType type, bool numbered) {
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
        if (kRows[i].key == key) {
            if (kRows[i].type != type) {
                throw "the setting holds another type";
            }
            if ((kRows[i].count > 0) != numbered) {
                throw "a numbered setting is named with its number, a single one without";
            }
            return i;
        }
    }
    throw "no such setting";
}

}  // namespace schema_rows

template <typename T>
class NumberedSetting;

[[noreturn]] void abortOnBadNumber(const SettingRow& row, int n);

// A setting that holds a T: int, bool (a switch) or std::string.
template <typename T>
class Setting : public SettingRef {
public:
    consteval explicit Setting(std::string_view key)
        : SettingRef(schema_rows::rowNamed(key, schema_rows::typeHolding<T>(), false), 0) {}

private:
    friend class NumberedSetting<T>;
    constexpr Setting(std::size_t row, int number) : SettingRef(row, number) {}
};

// A numbered family of settings: Place1 .. Place15, MSize1 .. MSize5.
template <typename T>
class NumberedSetting {
public:
    consteval explicit NumberedSetting(std::string_view key)
        : row_(schema_rows::rowNamed(key, schema_rows::typeHolding<T>(), true)) {}

    // n outside 1 .. count is a programming error and aborts.
    Setting<T> operator()(int n) const {
        if (n < 1 || n > kSettingRows[row_].count) {
            abortOnBadNumber(kSettingRows[row_], n);
        }
        return Setting<T>(row_, n);
    }

private:
    std::size_t row_;
};

// The names the code uses.
namespace settings {

inline constexpr Setting<std::string> Where{"Where"};
inline constexpr Setting<std::string> Name{"Name"};
inline constexpr NumberedSetting<std::string> Place{"Place#"};
inline constexpr Setting<int> Screen{"Screen"};
inline constexpr Setting<int> Mojimove{"Mojimove"};
inline constexpr Setting<int> Mtype{"Mtype"};
inline constexpr Setting<bool> Riseki{"Riseki"};
inline constexpr Setting<bool> Daytime{"Daytime"};
inline constexpr Setting<bool> Esc{"Esc"};
inline constexpr Setting<bool> Passcheck{"Passcheck"};
inline constexpr Setting<std::string> Password{"Password"};
inline constexpr Setting<bool> White{"White"};
inline constexpr Setting<bool> Black{"Black"};
inline constexpr Setting<bool> Mojicol{"Mojicol"};
inline constexpr Setting<int> Bitshow{"Bitshow"};
inline constexpr Setting<int> Bitall{"Bitall"};
inline constexpr Setting<std::string> Bitmap{"Bitmap"};
inline constexpr Setting<std::string> Bitmap2{"Bitmap2"};
inline constexpr Setting<int> ColorR{"ColorR"};
inline constexpr Setting<int> ColorG{"ColorG"};
inline constexpr Setting<int> ColorB{"ColorB"};
inline constexpr Setting<std::string> Font{"Font"};
inline constexpr Setting<int> Size{"Size"};
inline constexpr Setting<bool> Bold{"Bold"};
inline constexpr Setting<bool> Italic{"Italic"};
inline constexpr Setting<bool> Torikeshi{"Torikeshi"};
inline constexpr Setting<bool> ULine{"ULine"};
inline constexpr Setting<int> FColorR{"FColorR"};
inline constexpr Setting<int> FColorG{"FColorG"};
inline constexpr Setting<int> FColorB{"FColorB"};
inline constexpr NumberedSetting<std::string> Memo{"Memo#"};
inline constexpr Setting<bool> Desktop{"Desktop"};
inline constexpr Setting<int> Left{"Left"};
inline constexpr Setting<int> Top{"Top"};
inline constexpr Setting<bool> Endflg{"Endflg"};
inline constexpr Setting<std::string> Path{"Path"};
inline constexpr Setting<std::string> Scrfile{"Scrfile"};
inline constexpr NumberedSetting<int> MemoX{"Memo#x"};
inline constexpr NumberedSetting<int> MemoY{"Memo#y"};
inline constexpr NumberedSetting<std::string> MFont{"MFont#"};
inline constexpr NumberedSetting<int> MSize{"MSize#"};
inline constexpr NumberedSetting<bool> MBold{"MBold#"};
inline constexpr NumberedSetting<bool> MItalic{"MItalic#"};
inline constexpr NumberedSetting<bool> MTorikeshi{"MTorikeshi#"};
inline constexpr NumberedSetting<bool> MULine{"MULine#"};
inline constexpr NumberedSetting<int> MColorR{"MColorR#"};
inline constexpr NumberedSetting<int> MColorG{"MColorG#"};
inline constexpr NumberedSetting<int> MColorB{"MColorB#"};
inline constexpr NumberedSetting<std::string> Gazo{"Gazo#"};
inline constexpr Setting<std::string> Modori{"Modori"};
inline constexpr Setting<std::string> Hiruake{"Hiruake"};
inline constexpr Setting<std::string> Teiji{"Teiji"};

}  // namespace settings

// The destination the notice shows when none was ever chosen (the bar's default is empty).
std::string noticeWhereDefault();

}  // namespace rumo
