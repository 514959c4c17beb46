#include "properties/properties_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <algorithm>

#include "calendar/calendar_settings.h"
#include "calendar/calendar_sources.h"
#include "common/qt_values.h"
#include "common/translate.h"
#include "properties/control_ids.h"
#include "properties/dialog_services.h"
#include "properties/dialog_template.h"
#include "properties/exchange_rules.h"
#include "properties/help_location.h"
#include "properties/template_widgets.h"
#include "rumo_build_info.h"
#include "screen/picture_decoder.h"
#include "settings/return_setting.h"
#include "settings/settings_store.h"
#include "team/chat_services.h"
#include "team/team_settings.h"

namespace rumo {

namespace {

// A line edit lays out all of its text: a stored value of tens of megabytes (a memo pasted from
// a log) would take the dialog minutes and gigabytes to open. More than this is never read.
constexpr std::size_t kShownBytes = std::size_t{1} << 20;

// The start of `stored` that is shown, cut before a character.
std::string_view shownPart(std::string_view stored) {
    if (stored.size() <= kShownBytes) {
        return stored;
    }
    std::size_t end = kShownBytes;
    while (end > 0 && (static_cast<unsigned char>(stored[end]) & 0xC0) == 0x80) {
        --end;
    }
    return stored.substr(0, end);
}

constexpr int kTabCount = 6;

// The keyring's name for a calendar source's password.
QString calendarSecretName(const QString& source) {
    return QStringLiteral("calendar ") + source;
}

Qt::CheckState toCheckState(int state) {
    switch (state) {
        case 1:
            return Qt::Checked;
        case 2:
            return Qt::PartiallyChecked;
        default:
            return Qt::Unchecked;
    }
}

int fromCheckState(Qt::CheckState state) {
    switch (state) {
        case Qt::Checked:
            return 1;
        case Qt::PartiallyChecked:
            return 2;
        default:
            return 0;
    }
}

}  // namespace

PropertiesDialog::PropertiesDialog(SettingsStore& store, DialogServices& services, QWidget* owner)
    : QDialog(owner), store_(store), services_(services) {
    const DialogTemplate& dialogTemplate = propertiesTemplate();
    controls_ = buildTemplate(*this, dialogTemplate);

    for (const PropertyBinding& binding : exchangeOrder()) {
        if (binding.kind != BindingKind::Radio) {
            continue;
        }
        auto* group = new QButtonGroup(this);
        const std::vector<int> buttons = radioGroup(dialogTemplate, binding.control);
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            group->addButton(qobject_cast<QRadioButton*>(control(buttons[i])), static_cast<int>(i));
        }
        radioGroups_[binding.control] = group;
    }
    for (const PropertyBinding& binding : exchangeOrder()) {
        if (binding.kind == BindingKind::Check) {
            // A stored 2 shows as indeterminate; the first click makes it a plain two-state box.
            auto* box = qobject_cast<QCheckBox*>(control(binding.control));
            connect(box, &QCheckBox::clicked, box, [box] { box->setTristate(false); });
        }
    }

    values_ = loadProperties(store_);
    showValues();
    returnDefaults_ = rumo::readReturnDefaults(store_.snapshot());
    qobject_cast<QLineEdit*>(control(control::kLunchEnd))
        ->setText(qtText(dayTimeText(returnDefaults_.lunchEnd)));
    qobject_cast<QLineEdit*>(control(control::kDayEnd))
        ->setText(qtText(dayTimeText(returnDefaults_.dayEnd)));

    showCalendar();
    showTeam();

    QTabBar* bar = tabBar();
    for (const char* text : {QT_TRANSLATE_NOOP("PropertiesDialog", "Display"),
                             QT_TRANSLATE_NOOP("PropertiesDialog", "Places"),
                             QT_TRANSLATE_NOOP("PropertiesDialog", "Memos"),
                             QT_TRANSLATE_NOOP("PropertiesDialog", "Return")}) {
        bar->addTab(QCoreApplication::translate("PropertiesDialog", text));
    }
    bar->addTab(QCoreApplication::translate("PropertiesDialog", "Calendar"));
    bar->addTab(QCoreApplication::translate("PropertiesDialog", "Team"));
    bar->setCurrentIndex(0);
    fitTabStrip(*this, *bar);
    for (int tab = 1; tab < kTabCount; ++tab) {
        for (int id : tabControls(dialogTemplate, tab)) {
            control(id)->setVisible(false);
        }
    }
    connect(bar, &QTabBar::currentChanged, this, &PropertiesDialog::switchTab);
    connectButtons();
}

QWidget* PropertiesDialog::control(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

QTabBar* PropertiesDialog::tabBar() const {
    return qobject_cast<QTabBar*>(control(control::kTabs));
}

void PropertiesDialog::showValues() {
    for (const PropertyBinding& binding : exchangeOrder()) {
        const int id = binding.control;
        switch (binding.kind) {
            case BindingKind::Text: {
                const std::string& stored = values_.texts[id];
                const std::string_view part = shownPart(stored);
                const QString shown = qtText(part);
                if (part.size() < stored.size()) {
                    cutTexts_[id] = shown;
                }
                qobject_cast<QLineEdit*>(control(id))->setText(shown);
                break;
            }
            case BindingKind::Check: {
                int& member = values_.numbers[id];
                member = checkStateFromStored(member);
                qobject_cast<QCheckBox*>(control(id))->setCheckState(toCheckState(member));
                break;
            }
            case BindingKind::Radio: {
                // Unchecking every button needs a non-exclusive group for a moment.
                QButtonGroup* group = radioGroups_.at(id);
                group->setExclusive(false);
                for (QAbstractButton* button : group->buttons()) {
                    button->setChecked(group->id(button) == values_.numbers[id]);
                }
                group->setExclusive(true);
                break;
            }
            case BindingKind::Integer:
                qobject_cast<QLineEdit*>(control(id))
                    ->setText(QString::number(values_.numbers[id]));
                break;
        }
    }
}

std::optional<int> PropertiesDialog::readControls(PropertyValues& values) const {
    for (const PropertyBinding& binding : exchangeOrder()) {
        const int id = binding.control;
        switch (binding.kind) {
            case BindingKind::Text: {
                const QString text = qobject_cast<QLineEdit*>(control(id))->text();
                const auto cut = cutTexts_.find(id);
                if (cut != cutTexts_.end() && text == cut->second) {
                    break;  // untouched: the whole stored value stays
                }
                values.texts[id] = text.toStdString();
                break;
            }
            case BindingKind::Check:
                values.numbers[id] =
                    fromCheckState(qobject_cast<QCheckBox*>(control(id))->checkState());
                break;
            case BindingKind::Radio:
                values.numbers[id] = radioGroups_.at(id)->checkedId();
                break;
            case BindingKind::Integer: {
                const std::string text =
                    qobject_cast<QLineEdit*>(control(id))->text().toStdString();
                const std::optional<int> number = parseDialogInt(text);
                if (!number) {
                    return id;
                }
                values.numbers[id] = *number;
                break;
            }
        }
    }
    return std::nullopt;
}

std::optional<int> PropertiesDialog::readReturnDefaults(std::vector<SettingWrite>& writes) const {
    const std::pair<int, std::pair<Setting<std::string>, DayTime>> edits[] = {
        {control::kLunchEnd, {settings::Hiruake, returnDefaults_.lunchEnd}},
        {control::kDayEnd, {settings::Teiji, returnDefaults_.dayEnd}},
    };
    for (const auto& [id, settingAndShown] : edits) {
        const auto& [setting, shown] = settingAndShown;
        const std::string typed =
            qobject_cast<QLineEdit*>(control(id))->text().trimmed().toStdString();
        const std::optional<DayTime> time = parseDayTime(typed);
        if (!time) {
            return id;
        }
        // Unchanged times stay unwritten, so a user who never touches them keeps no such keys.
        if (*time != shown) {
            writes.push_back(textWrite(setting, dayTimeText(*time)));
        }
    }
    return std::nullopt;
}

void PropertiesDialog::accept() {
    PropertyValues values = values_;
    std::vector<SettingWrite> times;
    std::optional<int> refused = readControls(values);
    QString message = qtText(translateData("PropertiesDialog", kIntegerRequiredMessage));
    if (!refused) {
        refused = readReturnDefaults(times);
        message = QCoreApplication::translate("PropertiesDialog", "Enter the time like 13:00.");
    }
    if (!refused) {
        readCalendar(times);
        readTeam(times);
    }
    if (refused) {
        services_.showMessage(this, message);
        refusedEdit_ = qobject_cast<QLineEdit*>(control(*refused));
        focusRefusedEdit();
        return;
    }
    // Saved here, not after the dialog closes, so a failed save can keep what was typed.
    if (!reportedSave(saveProperties(store_, values, times))) {
        return;
    }
    returnDefaults_ = rumo::readReturnDefaults(store_.snapshot());
    // The passwords of sources the user removed go from the keyring with them.
    for (const CalendarSource& was : storedCalendar_) {
        if (std::find_if(calendar_.begin(), calendar_.end(), [&](const CalendarSource& kept) {
                return kept.source == was.source;
            }) == calendar_.end()) {
            services_.forgetKeptSecret(calendarSecretName(was.source));
        }
    }
    storedCalendar_ = calendar_;
    values_ = std::move(values);
    QDialog::accept();
}

bool PropertiesDialog::reportedSave(const WriteStatus& status) {
    if (!status.ok()) {
        services_.showMessage(this, QCoreApplication::translate(
                                        "PropertiesDialog", "The settings could not be saved.\n%1")
                                        .arg(qtText(status.error)));
    }
    return status.ok();
}

void PropertiesDialog::showCalendar() {
    const SettingsSnapshot stored = store_.snapshot();
    for (int n = 1; n <= kCalendarSourceCount; ++n) {
        const std::string source = stored.read(settings::CalendarSource(n));
        if (!source.empty()) {
            storedCalendar_.push_back(
                {qtText(source), qtText(stored.read(settings::CalendarUser(n)))});
        }
    }
    calendar_ = storedCalendar_;
    showCalendarSources();
    qobject_cast<QCheckBox*>(control(control::kCalendarEnabled))
        ->setChecked(stored.read(settings::CalendarEnabled));
    qobject_cast<QCheckBox*>(control(control::kCalendarShowTitle))
        ->setChecked(stored.read(settings::CalendarShowTitle));
    qobject_cast<QLineEdit*>(control(control::kCalendarAddress))
        ->setText(qtText(stored.read(settings::CalendarAddress)));
}

void PropertiesDialog::showCalendarSources() {
    auto* list = qobject_cast<QListWidget*>(control(control::kCalendarSources));
    list->clear();
    for (const CalendarSource& row : calendar_) {
        list->addItem(row.user.isEmpty() ? row.source
                                         : QStringLiteral("%1 (%2)").arg(row.source, row.user));
    }
}

void PropertiesDialog::addCalendarSource(const QString& given) {
    auto* passwordEdit = qobject_cast<QLineEdit*>(control(control::kCalendarPassword));
    const QString password = passwordEdit->text();
    // The password leaves the edit whatever happens next: it is kept in the keyring or nowhere.
    passwordEdit->clear();
    QString error;
    const QString source = sourceToKeep(given, error);
    if (source.isEmpty()) {
        services_.showMessage(this, error);
        return;
    }
    const auto same = [&](const CalendarSource& row) { return row.source == source; };
    if (std::find_if(calendar_.begin(), calendar_.end(), same) == calendar_.end() &&
        calendar_.size() >= static_cast<std::size_t>(kCalendarSourceCount)) {
        services_.showMessage(this,
                              QCoreApplication::translate("PropertiesDialog",
                                                          "At most %1 calendars. Remove one first.")
                                  .arg(kCalendarSourceCount));
        return;
    }
    // Only a server asks for one; a file's is dropped.
    if (!password.isEmpty() && source.contains(QLatin1String("://"))) {
        const SecretResult kept = services_.keepSecret(calendarSecretName(source), password);
        if (!kept.ok()) {
            const QString why =
                kept.status == SecretStatus::NoKeyring
                    ? QCoreApplication::translate(
                          "PropertiesDialog",
                          "No keyring is running to keep the password. The password is not "
                          "saved and the calendar is not added.")
                    : QCoreApplication::translate("PropertiesDialog",
                                                  "Cannot save the password: %1")
                          .arg(kept.error);
            services_.showMessage(this, why);
            return;
        }
    }
    const QString user =
        qobject_cast<QLineEdit*>(control(control::kCalendarUser))->text().trimmed();
    const auto found = std::find_if(calendar_.begin(), calendar_.end(), same);
    if (found != calendar_.end()) {
        found->user = user;  // added again: with the user name given now
    } else {
        calendar_.push_back({source, user});
    }
    qobject_cast<QLineEdit*>(control(control::kCalendarNewSource))->clear();
    qobject_cast<QLineEdit*>(control(control::kCalendarUser))->clear();
    showCalendarSources();
}

void PropertiesDialog::removeCalendarSource() {
    const int row = qobject_cast<QListWidget*>(control(control::kCalendarSources))->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= calendar_.size()) {
        return;
    }
    calendar_.erase(calendar_.begin() + row);
    showCalendarSources();
}

void PropertiesDialog::readCalendar(std::vector<SettingWrite>& writes) const {
    const SettingsSnapshot stored = store_.snapshot();
    // Packed from the first slot; a slot is written only when it changes, so a user who never
    // sets a calendar keeps no such keys.
    for (int n = 1; n <= kCalendarSourceCount; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        const std::string source = i < calendar_.size() ? calendar_[i].source.toStdString() : "";
        const std::string user = i < calendar_.size() ? calendar_[i].user.toStdString() : "";
        if (stored.read(settings::CalendarSource(n)) != source) {
            writes.push_back(textWrite(settings::CalendarSource(n), source));
        }
        if (stored.read(settings::CalendarUser(n)) != user) {
            writes.push_back(textWrite(settings::CalendarUser(n), user));
        }
    }
    const std::pair<int, Setting<bool>> switches[] = {
        {control::kCalendarEnabled, settings::CalendarEnabled},
        {control::kCalendarShowTitle, settings::CalendarShowTitle},
    };
    for (const auto& [id, setting] : switches) {
        const bool on = qobject_cast<QCheckBox*>(control(id))->isChecked();
        if (stored.read(setting) != on) {
            writes.push_back(integerWrite(setting, on ? 1 : 0));
        }
    }
    const std::string address = qobject_cast<QLineEdit*>(control(control::kCalendarAddress))
                                    ->text()
                                    .trimmed()
                                    .toStdString();
    if (stored.read(settings::CalendarAddress) != address) {
        writes.push_back(textWrite(settings::CalendarAddress, address));
    }
}

namespace {

// The team tab's switches and texts, control by control.
struct TeamSwitch {
    int control;
    Setting<bool> setting;
};
struct TeamText {
    int control;
    Setting<std::string> setting;
};

std::vector<TeamSwitch> teamSwitches() {
    std::vector<TeamSwitch> switches{{control::kTeamPublish, settings::TeamPublish},
                                     {control::kTeamPrivateWhere, settings::TeamPrivateWhere}};
    for (std::size_t i = 0; i < kChatServices.size(); ++i) {
        switches.push_back({control::kChatSwitches[i], kChatServices[i].on});
    }
    return switches;
}

std::vector<TeamText> teamTexts() {
    std::vector<TeamText> texts{{control::kTeamBroker, settings::TeamBroker},
                                {control::kTeamTopic, settings::TeamTopic},
                                {control::kChatMatrixUser, settings::ChatMatrixUser}};
    for (std::size_t i = 0; i < kChatServices.size(); ++i) {
        texts.push_back({control::kChatServers[i], kChatServices[i].server});
    }
    return texts;
}

}  // namespace

void PropertiesDialog::showTeam() {
    const SettingsSnapshot stored = store_.snapshot();
    for (const TeamSwitch& entry : teamSwitches()) {
        qobject_cast<QCheckBox*>(control(entry.control))->setChecked(stored.read(entry.setting));
    }
    for (const TeamText& entry : teamTexts()) {
        qobject_cast<QLineEdit*>(control(entry.control))
            ->setText(qtText(stored.read(entry.setting)));
    }
}

// Written only when changed, so a user who never opens the tab keeps no such keys. Tokens and
// passwords are never here: they go to the keyring from the command line.
void PropertiesDialog::readTeam(std::vector<SettingWrite>& writes) const {
    const SettingsSnapshot stored = store_.snapshot();
    for (const TeamSwitch& entry : teamSwitches()) {
        const bool on = qobject_cast<QCheckBox*>(control(entry.control))->isChecked();
        if (stored.read(entry.setting) != on) {
            writes.push_back(integerWrite(entry.setting, on ? 1 : 0));
        }
    }
    for (const TeamText& entry : teamTexts()) {
        const std::string text =
            qobject_cast<QLineEdit*>(control(entry.control))->text().trimmed().toStdString();
        if (stored.read(entry.setting) != text) {
            writes.push_back(textWrite(entry.setting, text));
        }
    }
}

// Only visibility changes: nothing is enabled or disabled, and no value moves.
void PropertiesDialog::switchTab(int index) {
    if (index < 0 || index >= kTabCount) {
        return;
    }
    const DialogTemplate& dialogTemplate = propertiesTemplate();
    for (int tab = 0; tab < kTabCount; ++tab) {
        if (tab != index) {
            for (int id : tabControls(dialogTemplate, tab)) {
                control(id)->setVisible(false);
            }
        }
    }
    for (int id : tabControls(dialogTemplate, index)) {
        control(id)->setVisible(true);
    }
    focusRefusedEdit();
}

// The refused edit gets the keyboard with its text selected; an edit on a tab not shown gets it
// when its tab is, since a hidden widget cannot take the keyboard.
void PropertiesDialog::focusRefusedEdit() {
    if (refusedEdit_ == nullptr) {
        return;
    }
    refusedEdit_->selectAll();
    if (refusedEdit_->isVisible()) {
        refusedEdit_->setFocus(Qt::OtherFocusReason);
        refusedEdit_ = nullptr;
    }
}

void PropertiesDialog::connectButtons() {
    auto onClick = [this](int id, auto handler) {
        connect(qobject_cast<QPushButton*>(control(id)), &QPushButton::clicked, this, handler);
    };
    using namespace control;
    onClick(kOk, [this] { accept(); });
    onClick(kCancel, [this] { reject(); });
    onClick(kBackgroundColour, [this] { chooseBackgroundColour(); });
    onClick(kVersion, [this] { services_.showAbout(this); });
    onClick(kHelp, [this] { openHelp(); });
    onClick(kCalendarAdd, [this] {
        addCalendarSource(qobject_cast<QLineEdit*>(control(kCalendarNewSource))->text().trimmed());
    });
    onClick(kCalendarFile, [this] {
        if (const std::optional<QString> file = services_.chooseCalendarFile(this)) {
            addCalendarSource(*file);
        }
    });
    onClick(kCalendarRemove, [this] { removeCalendarSource(); });
    onClick(kMainFont, [this] { chooseFont(kMainFont); });
    for (int id : kMemoFonts) {
        onClick(id, [this, id] { chooseFont(id); });
    }
    for (int id = kFirstPlacePicture; id < kFirstPlacePicture + kPlaceCount; ++id) {
        onClick(id, [this, id] { choosePicture(id); });
    }
    for (int id : {kForegroundPicture, kBackgroundPicture}) {
        onClick(id, [this, id] { choosePicture(id); });
    }
}

// The colour chooser always opens on black, not on the stored background colour.
void PropertiesDialog::chooseBackgroundColour() {
    const std::optional<Colour> colour = services_.chooseColour(this, rgb(0, 0, 0));
    if (!colour) {
        return;
    }
    reportedSave(writeBackgroundColour(store_, *colour));
}

void PropertiesDialog::chooseFont(int button) {
    const std::optional<FontGroup> group = fontGroupOfButton(button);
    const FontRequest request = fontRequest(store_, *group, logicalDpiY());
    const std::optional<ChosenFont> chosen = services_.chooseFont(this, request);
    if (!chosen) {
        return;
    }
    reportedSave(writeChosenFont(store_, *group, *chosen));
}

// The chosen path is stored whole, however long; only a missing extension is added. A file the
// notice could never show (a PNG typed in by hand, say) is refused with a word to the user rather
// than stored and silently left off the screen.
void PropertiesDialog::choosePicture(int button) {
    const std::optional<Setting<std::string>> setting = pictureSettingOfButton(button);
    const QString stored = qtText(store_.read(*setting));
    const std::optional<QString> chosen = services_.choosePicture(this, stored);
    if (!chosen || chosen->isEmpty()) {
        return;
    }
    const std::string path = withDefaultExtension(chosen->toStdString());
    QFile file(qtText(path));
    if (file.open(QIODevice::ReadOnly) && pictureFormatOf(file.read(16)).isEmpty()) {
        services_.showMessage(
            this, QCoreApplication::translate("PropertiesDialog",
                                              "%1 is not a picture this program can show.\n"
                                              "Choose a BMP, JPEG or GIF picture.")
                      .arg(qtText(path)));
        return;
    }
    reportedSave(store_.write({textWrite(*setting, path)}));
}

void PropertiesDialog::openHelp() {
    const std::string recorded = store_.read(settings::Path);
    const std::string programFolder = QCoreApplication::applicationDirPath().toStdString();
    const std::string docFolder = installedDocFolder(programFolder, RUMO_DOC_FROM_BIN);
    // The page of the interface's language; a folder that has only the Japanese one still helps.
    const std::string fileName =
        translate("Help", "Rumo.en.html", "the file name of the help page in this language");
    std::vector<std::string> candidates =
        helpCandidates(recorded, programFolder, docFolder, fileName);
    for (std::string& candidate : helpCandidates(recorded, programFolder, docFolder)) {
        if (std::find(candidates.begin(), candidates.end(), candidate) == candidates.end()) {
            candidates.push_back(std::move(candidate));
        }
    }
    for (const std::string& candidate : candidates) {
        const QString path = qtText(candidate);
        if (QFileInfo(path).isFile()) {
            if (!services_.openDocument(QUrl::fromLocalFile(path))) {
                // The desktop has no program that opens documents (xdg-open of xdg-utils here).
                services_.showMessage(this, QCoreApplication::translate(
                                                "PropertiesDialog",
                                                "No program to open the help file %1 was found. "
                                                "Install xdg-open (xdg-utils).")
                                                .arg(QDir::toNativeSeparators(path)));
            }
            return;
        }
    }
    services_.showMessage(
        this, QCoreApplication::translate("PropertiesDialog", "The help file %1 was not found.")
                  .arg(qtText(fileName)));
}

bool runPropertiesDialog(PropertiesDialog& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace rumo
