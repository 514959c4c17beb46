// Dialog services that answer from prepared replies and remember what they were asked.
#pragma once

#include <deque>
#include <map>
#include <vector>

#include "properties/dialog_services.h"

namespace rumo {

class FakeDialogServices : public DialogServices {
public:
    std::deque<std::optional<Colour>> colourReplies;
    std::deque<std::optional<ChosenFont>> fontReplies;
    std::deque<std::optional<QString>> pictureReplies;
    std::deque<std::optional<QString>> calendarFileReplies;
    // Where no keyring runs, as on a machine without a desktop session.
    bool keyringRuns = true;
    std::map<QString, QString> keptSecrets;

    std::vector<Colour> colourRequests;
    std::vector<FontRequest> fontRequests;
    std::vector<QString> pictureRequests;
    std::vector<QUrl> openedDocuments;
    std::vector<QString> messages;
    int aboutShown = 0;
    bool documentViewerInstalled = true;

    std::optional<Colour> chooseColour(QWidget*, Colour initial) override {
        colourRequests.push_back(initial);
        return next(colourReplies);
    }
    std::optional<ChosenFont> chooseFont(QWidget*, const FontRequest& initial) override {
        fontRequests.push_back(initial);
        return next(fontReplies);
    }
    std::optional<QString> choosePicture(QWidget*, const QString& initialPath) override {
        pictureRequests.push_back(initialPath);
        return next(pictureReplies);
    }
    std::optional<QString> chooseCalendarFile(QWidget*) override {
        return next(calendarFileReplies);
    }
    SecretResult keepSecret(const QString& name, const QString& secret) override {
        if (!keyringRuns) {
            return {SecretStatus::NoKeyring, {}, QStringLiteral("no keyring")};
        }
        keptSecrets[name] = secret;
        return {SecretStatus::Ok, {}, {}};
    }
    void forgetKeptSecret(const QString& name) override { keptSecrets.erase(name); }
    void showAbout(QWidget*) override { ++aboutShown; }
    bool openDocument(const QUrl& url) override {
        openedDocuments.push_back(url);
        return documentViewerInstalled;
    }
    void showMessage(QWidget*, const QString& text) override { messages.push_back(text); }

private:
    // No prepared reply: the user cancelled.
    template <typename T>
    static std::optional<T> next(std::deque<std::optional<T>>& replies) {
        if (replies.empty()) {
            return std::nullopt;
        }
        std::optional<T> reply = replies.front();
        replies.pop_front();
        return reply;
    }
};

}  // namespace rumo
