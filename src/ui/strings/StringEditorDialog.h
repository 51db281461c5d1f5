#pragma once

#include "store/StringTypes.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableWidget;

namespace voltaryn {

class DialogService;

// A battery string's figures and policies, for a new string or one there already. The site is
// chosen or typed (a name not there yet makes a new site). Every edit is checked at once by the
// core's name and layout rules and the store's names; OK stays disabled while anything is refused.
// The policies are the built-in ones or a policy file's, shown as the report words them.
class StringEditorDialog : public QDialog {
    Q_OBJECT
public:
    // A new string as `draft`, among the strings `known` (whose sites are offered).
    StringEditorDialog(DialogService& dialogs, const std::vector<store::StringInfo>& known,
                       const store::StringInfo& draft, QWidget* parent = nullptr);
    // What a new string at `site` starts from: 24 blocks of 12 V VRLA.
    static store::StringInfo NewDraft(const QString& site);
    // `string` as it is; once `inspected` its blocks, voltage, chemistry, cells and straps stay.
    StringEditorDialog(DialogService& dialogs, const store::StringInfo& string, bool inspected,
                       QWidget* parent = nullptr);

    // The string as edited; meaningful while OK is enabled.
    store::StringInfo String() const;
    // Whether the site is one the strings known do not name.
    bool IsNewSite() const;

private:
    StringEditorDialog(QWidget* parent, DialogService& dialogs, std::vector<store::StringInfo> known);
    static QString PolicyFileFilter();
    void Show(const store::StringInfo& string);
    void SetCells(int cells);
    void LoadPolicies();
    void SavePolicies();
    void ShowPolicies();
    void Check();

    DialogService& dialogs_;
    std::vector<store::StringInfo> known_;
    bool editing_ = false;
    QComboBox* site_;
    QLineEdit* name_;
    QSpinBox* blocks_;
    QComboBox* nominal_;
    QComboBox* chemistry_;
    QSpinBox* cells_;
    QCheckBox* straps_;
    QCheckBox* installedKnown_;
    QDateEdit* installed_;
    QTableWidget* policies_;
    QLabel* hint_;
    QLabel* problem_;
    QDialogButtonBox* buttons_;
    QString policiesJson_;  // empty: the built-in policies
    bool settingCells_ = false;
    bool cellsSetByUser_ = false;
};

} // namespace voltaryn
