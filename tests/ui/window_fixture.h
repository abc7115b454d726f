#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <deque>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "support/capture_backend.h"
#include "ui/commands/command_registry.h"
#include "ui/document/document.h"
#include "ui/memo/memo_edit.h"
#include "ui/window/main_window.h"

namespace velmora::testing {

// An output that cannot be opened.
class RefusingBackend final : public MidiBackend {
public:
    bool open() override { return false; }
    void close() override {}
    void sendShortMessage(std::uint8_t, std::uint8_t, std::uint8_t) override {}
    std::string lastError() const override { return "no device here"; }
};

// Answers the window's questions from a script and records its messages.
class ScriptedPrompts final : public UserPrompts {
public:
    std::optional<QString> chooseFileToOpen(const QString& directory) override {
        ++openDialogs;
        openDirectories.push_back(directory);
        return next(openAnswers);
    }
    std::optional<QString> chooseFileToSave(SaveDialogState& dialog) override {
        if (filterAnswer) dialog.selectedFilter = *filterAnswer;
        saveDialogs.push_back(dialog);
        return next(saveAnswers);
    }
    OverwriteAnswer askOverwrite() override {
        ++overwriteQuestions;
        return overwriteAnswer;
    }
    SaveChangesAnswer askSaveChanges(const QString& name) override {
        ++saveQuestions;
        saveQuestionNames.push_back(name.toStdString());
        return saveChangesAnswer;
    }
    bool confirm(const QString& question) override {
        confirmations.push_back(question.toStdString());
        return confirmAnswer;
    }
    void showError(const QString& text) override {
        errors.push_back(withFullStop(text).toStdString());
        for (QWidget* widget : QApplication::allWidgets()) {
            if (widget->isVisible() && widget->inherits("QProgressDialog")) ++progressShownAtError;
        }
    }
    void showInformation(const QString& text) override { informations.push_back(text.toStdString()); }
    void showWarning(const QString& text) override { warnings.push_back(text.toStdString()); }
    RestoreAnswer askRestore(const QString& name, const QString&) override {
        restoreOffers.push_back(name.toStdString());
        return restoreAnswer;
    }
    bool askQuitWithoutSaving(const QString&) override {
        ++quitQuestions;
        return quitAnswer;
    }

    // Each dialog takes the next answer; none left, or an empty one, cancels.
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    std::optional<QString> filterAnswer;  // the file type chosen in the save dialog
    OverwriteAnswer overwriteAnswer = OverwriteAnswer::Yes;
    bool quitAnswer = true;
    SaveChangesAnswer saveChangesAnswer = SaveChangesAnswer::Discard;
    bool confirmAnswer = true;
    RestoreAnswer restoreAnswer = RestoreAnswer::Later;
    std::vector<std::string> restoreOffers;  // the names offered, in order
    std::vector<std::string> saveQuestionNames;

    int openDialogs = 0;
    int overwriteQuestions = 0;
    int quitQuestions = 0;
    int saveQuestions = 0;
    int progressShownAtError = 0;
    std::vector<QString> openDirectories;
    std::vector<std::string> confirmations;
    std::vector<std::string> warnings;
    std::vector<SaveDialogState> saveDialogs;
    std::vector<std::string> errors;
    std::vector<std::string> informations;

private:
    static std::optional<QString> next(std::deque<QString>& answers) {
        if (answers.empty()) return std::nullopt;
        const QString answer = answers.front();
        answers.pop_front();
        if (answer.isEmpty()) return std::nullopt;
        return answer;
    }
};

// A temporary folder with helpers to write and read its files.
class FolderTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const {
        return folder.filePath(QString::fromStdString(name)).toStdString();
    }
    void writeFile(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
    }
    std::string readFile(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    QTemporaryDir folder;
};

// A window over a temporary settings folder, a capturing output and scripted prompts.
class WindowTest : public FolderTest {
protected:
    std::unique_ptr<MainWindow> openWindow(bool reopenLatest = true) {
        MainWindowSetup setup;
        setup.reopenLatest = reopenLatest;
        setup.recoveryFolder = folder.filePath("recovery");
        setup.recoveryDelayMs = 0;
        setup.settingsFolder = folder.path();
        auto capture = std::make_unique<CaptureBackend>();
        output = capture.get();
        setup.output = std::move(capture);
        auto scripted = std::make_unique<ScriptedPrompts>();
        scripted->restoreAnswer = restoreAnswer;
        prompts = scripted.get();
        setup.prompts = std::move(scripted);
        auto window = std::make_unique<MainWindow>(std::move(setup));
        window->show();
        QApplication::processEvents();
        return window;
    }

    std::string globalPath() const { return path("velmora.ini"); }
    static void typeText(MainWindow& window, const QString& text) { window.controls().memo->setPlainText(text); }

    CaptureBackend* output = nullptr;
    ScriptedPrompts* prompts = nullptr;
    RestoreAnswer restoreAnswer = RestoreAnswer::Later;  // the next window's answer to a recovery offer
};

}  // namespace velmora::testing
