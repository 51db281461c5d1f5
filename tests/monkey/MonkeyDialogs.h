#pragma once

#include "ui/common/DialogService.h"

#include <QDialog>
#include <QString>

#include <filesystem>
#include <random>
#include <vector>

namespace voltaryn::monkey {

// Answers every dialog at random: input boxes with numbers, words or nothing, confirmations either
// way, file names inside the run's folder (a new one to save to, a recording or a missing file to
// open, or Cancel), and modal dialogs with a few of their buttons clicked, then accepted or
// cancelled. The printer dialog is always cancelled.
class MonkeyDialogs : public DialogService {
public:
    MonkeyDialogs(std::mt19937_64& random, std::filesystem::path folder) : random_(random), folder_(std::move(folder)) {}

    // The files opened at random: the recordings made so far.
    std::vector<std::filesystem::path> openable;
    int messages = 0;

    void ShowMessage(QWidget*, MessageIcon, const QString&) override { ++messages; }
    bool Confirm(QWidget*, const QString&) override { return Pick(2) == 0; }
    QString AskText(QWidget*, const QString&, const QString&, const QString& defaultText) override;
    QString AskSaveFileName(QWidget*, const QString&) override;
    QString AskOpenFileName(QWidget*, const QString&) override;
    void RunModal(QDialog& dialog) override;
    bool ChoosePrinter(QWidget*, QPrinter&) override { return false; }

private:
    int Pick(int count) { return static_cast<int>(random_() % static_cast<unsigned>(count)); }

    std::mt19937_64& random_;
    std::filesystem::path folder_;
    int names_ = 0;
};

} // namespace voltaryn::monkey
