#pragma once

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "ui/PlatformServices.h"

namespace glyph::testing {

// Answers the window's dialogs and message boxes from queued replies and
// records every request. Printing and the clipboard stay real unless a test
// asks otherwise.
class FakeServices : public DesktopServices {
  public:
    // Next file dialog answers: a path, or nullopt for cancel.
    std::deque<std::optional<QString>> fileAnswers;
    // Next message box answers; Ok when none is queued.
    std::deque<QMessageBox::StandardButton> messageAnswers;

    std::vector<FileDialogRequest> fileRequests;
    std::vector<MessageRequest> messages;
    std::vector<QUrl> openedDocuments;
    // Called as each message is shown, before it is answered.
    std::function<void(const MessageRequest&)> onMessage;

    std::optional<QString> ShowFileDialog(QWidget*, const FileDialogRequest& request) override {
        fileRequests.push_back(request);
        if (fileAnswers.empty() || !fileAnswers.front().has_value()) {
            if (!fileAnswers.empty()) fileAnswers.pop_front();
            return std::nullopt;
        }
        const QString path = *fileAnswers.front();
        fileAnswers.pop_front();
        return path;
    }

    QMessageBox::StandardButton ShowMessage(QWidget*, const MessageRequest& request) override {
        messages.push_back(request);
        if (onMessage) onMessage(request);
        if (messageAnswers.empty()) return QMessageBox::Ok;
        const QMessageBox::StandardButton answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }

    void OpenDocument(const QUrl& url) override { openedDocuments.push_back(url); }
};

}  // namespace glyph::testing
