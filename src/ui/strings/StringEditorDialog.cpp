#include "ui/strings/StringEditorDialog.h"

#include "cells/NameRule.h"
#include "report/WalkWords.h"
#include "strings/PolicyJson.h"
#include "ui/common/AlertColour.h"
#include "ui/common/CoreFaults.h"
#include "ui/common/DialogService.h"
#include "ui/common/NamedButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace voltaryn {
namespace {

constexpr std::array Chemistries = {strings::Chemistry::Vla, strings::Chemistry::Vrla, strings::Chemistry::Nicd,
                                    strings::Chemistry::Lifepo4};
strings::Chemistry ChemistryAt(int index) { return Chemistries[static_cast<std::size_t>(std::max(0, index))]; }


QString ChemistryKey(strings::Chemistry chemistry)
{
    const std::string_view name = strings::ChemistryName(chemistry);
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

strings::PolicySet PoliciesOf(const QString& json)
{
    if (json.isEmpty())
        return strings::DefaultPolicies();
    return strings::PoliciesFromJson(json.toStdString()).policies.value_or(strings::PolicySet{});
}

QString NameFaultText(cells::NameKind kind, const QString& name)
{
    const std::optional<cells::NameFault> fault = cells::NameFaultOf(kind, name.toStdString());
    return fault ? CoreFaults::Worded(*fault) : QString();
}

} // namespace

StringEditorDialog::StringEditorDialog(QWidget* parent, DialogService& dialogs, std::vector<store::StringInfo> known)
    : QDialog(parent), dialogs_(dialogs), known_(std::move(known)), site_(new QComboBox(this)),
      name_(new QLineEdit(this)), blocks_(new QSpinBox(this)), nominal_(new QComboBox(this)),
      chemistry_(new QComboBox(this)), cells_(new QSpinBox(this)), straps_(new QCheckBox(this)),
      installedKnown_(new QCheckBox(tr("Installed on"), this)), installed_(new QDateEdit(this)),
      policies_(new QTableWidget(0, 2, this)), hint_(new QLabel(this)), problem_(new QLabel(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setObjectName("stringEditor");
    site_->setObjectName("stringSite");
    name_->setObjectName("stringName");
    blocks_->setObjectName("stringBlocks");
    nominal_->setObjectName("stringNominal");
    chemistry_->setObjectName("stringChemistry");
    cells_->setObjectName("stringCells");
    straps_->setObjectName("stringStraps");
    installedKnown_->setObjectName("stringInstalledKnown");
    installed_->setObjectName("stringInstalled");
    policies_->setObjectName("stringPolicies");
    hint_->setObjectName("stringHint");
    problem_->setObjectName("stringProblem");
    site_->setEditable(true);
    for (const store::StringInfo& string : known_)
        if (site_->findText(string.site) < 0)
            site_->addItem(string.site);
    blocks_->setRange(1, strings::MostBlocks);
    for (const int volts : {2, 6, 12})
        nominal_->addItem(tr("%1 V").arg(volts), volts);
    for (const strings::Chemistry chemistry : Chemistries)
        chemistry_->addItem(report::ChemistryWord(chemistry), ChemistryKey(chemistry));
    cells_->setRange(1, 12);
    straps_->setText(tr("The straps between the blocks are measured too"));
    installed_->setCalendarPopup(true);
    installed_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    policies_->setHorizontalHeaderLabels({tr("Policy"), tr("Holds a reading to")});
    policies_->horizontalHeader()->setStretchLastSection(true);
    policies_->verticalHeader()->hide();
    policies_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    UseAlertColour(*problem_);
    problem_->setWordWrap(true);

    auto* installedRow = new QHBoxLayout;
    installedRow->addWidget(installedKnown_);
    installedRow->addWidget(installed_, 1);
    auto* policyButtons = new QHBoxLayout;
    QPushButton* fromFile = NamedButton("stringPolicyFile", tr("From a file…"), this);
    QPushButton* builtIn = NamedButton("stringPolicyDefaults", tr("Built-in policies"), this);
    QPushButton* save = NamedButton("stringPolicySave", tr("Save to a file…"), this);
    for (QPushButton* button : {fromFile, builtIn, save}) {
        button->setAutoDefault(false);
        policyButtons->addWidget(button);
    }
    policyButtons->addStretch(1);
    auto* form = new QFormLayout;
    form->addRow(tr("Site:"), site_);
    form->addRow(tr("String:"), name_);
    form->addRow(tr("Blocks in series:"), blocks_);
    form->addRow(tr("A block's nominal voltage:"), nominal_);
    form->addRow(tr("Chemistry:"), chemistry_);
    form->addRow(tr("Cells a block:"), cells_);
    form->addRow(QString(), straps_);
    form->addRow(QString(), installedRow);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(hint_);
    column->addWidget(new QLabel(tr("Its readings are judged by:"), this));
    column->addWidget(policies_, 1);
    column->addLayout(policyButtons);
    column->addWidget(problem_);
    column->addWidget(buttons_);
    policies_->setMinimumHeight(fontMetrics().height() * 10);  // the built-in five, with room
    resize(fontMetrics().averageCharWidth() * 110, fontMetrics().height() * 40);

    // A block's cells follow its voltage and chemistry until the user sets them, as string add's
    // --cells-per-block stands once given.
    const auto defaultCells = [this] {
        if (!cellsSetByUser_)
            SetCells(strings::DefaultCellsPerBlock(nominal_->currentData().toDouble(),
                                                   ChemistryAt(chemistry_->currentIndex())));
    };
    connect(cells_, &QSpinBox::valueChanged, this, [this] { cellsSetByUser_ = cellsSetByUser_ || !settingCells_; });
    connect(nominal_, &QComboBox::currentIndexChanged, this, defaultCells);
    connect(chemistry_, &QComboBox::currentIndexChanged, this, defaultCells);
    connect(chemistry_, &QComboBox::currentIndexChanged, this, &StringEditorDialog::ShowPolicies);
    for (QSpinBox* box : {blocks_, cells_})
        connect(box, &QSpinBox::valueChanged, this, &StringEditorDialog::Check);
    for (QComboBox* box : {nominal_, chemistry_})
        connect(box, &QComboBox::currentIndexChanged, this, &StringEditorDialog::Check);
    connect(site_, &QComboBox::currentTextChanged, this, &StringEditorDialog::Check);
    connect(name_, &QLineEdit::textChanged, this, &StringEditorDialog::Check);
    connect(installedKnown_, &QCheckBox::toggled, installed_, &QWidget::setEnabled);
    connect(fromFile, &QPushButton::clicked, this, &StringEditorDialog::LoadPolicies);
    connect(builtIn, &QPushButton::clicked, this, [this] {
        policiesJson_.clear();
        ShowPolicies();
    });
    connect(save, &QPushButton::clicked, this, &StringEditorDialog::SavePolicies);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

StringEditorDialog::StringEditorDialog(DialogService& dialogs, const std::vector<store::StringInfo>& known,
                                       const store::StringInfo& draft, QWidget* parent)
    : StringEditorDialog(parent, dialogs, known)
{
    setWindowTitle(tr("New String"));
    Show(draft);
}

QString StringEditorDialog::PolicyFileFilter() { return tr("Policies (*.json);;All Files (*.*)"); }

store::StringInfo StringEditorDialog::NewDraft(const QString& site)
{
    return {site, {}, 24, 12, QStringLiteral("vrla"), 6, false, {}, {}, {}};
}

StringEditorDialog::StringEditorDialog(DialogService& dialogs, const store::StringInfo& string, bool inspected,
                                       QWidget* parent)
    : StringEditorDialog(parent, dialogs, {string})
{
    editing_ = true;
    setWindowTitle(tr("Edit String — %1 / %2").arg(string.site, string.name));
    site_->setEnabled(false);
    name_->setReadOnly(true);
    for (QWidget* field : std::initializer_list<QWidget*>{blocks_, nominal_, chemistry_, cells_, straps_}) {
        field->setEnabled(!inspected);
        if (inspected)
            field->setToolTip(tr("The string has been inspected: its readings belong to these places."));
    }
    Show(string);
}

void StringEditorDialog::Show(const store::StringInfo& string)
{
    site_->setCurrentText(string.site);
    name_->setText(string.name);
    blocks_->setValue(string.blocks);
    nominal_->setCurrentIndex(std::max(0, nominal_->findData(static_cast<int>(string.nominalVolts))));
    chemistry_->setCurrentIndex(std::max(0, chemistry_->findData(string.chemistry)));
    SetCells(string.cellsPerBlock);  // after the chemistry, which sets its default
    straps_->setChecked(string.straps);
    installedKnown_->setChecked(string.installed.isValid());
    installed_->setEnabled(string.installed.isValid());
    installed_->setDate(string.installed.isValid() ? string.installed : QDate::currentDate());
    policiesJson_ = string.policiesJson;
    ShowPolicies();
    Check();
}

void StringEditorDialog::SetCells(int cells)
{
    settingCells_ = true;
    cells_->setValue(cells);
    settingCells_ = false;
}

store::StringInfo StringEditorDialog::String() const
{
    return {site_->currentText().trimmed(),
            name_->text().trimmed(),
            blocks_->value(),
            nominal_->currentData().toDouble(),
            chemistry_->currentData().toString(),
            cells_->value(),
            straps_->isChecked(),
            installedKnown_->isChecked() ? installed_->date() : QDate(),
            policiesJson_,
            {}};
}

bool StringEditorDialog::IsNewSite() const
{
    const QString site = site_->currentText().trimmed();
    return std::ranges::none_of(known_, [&](const store::StringInfo& string) { return string.site == site; });
}

// A policy file is taken only as the core reads it; one it refuses leaves the policies as they were.
void StringEditorDialog::LoadPolicies()
{
    const QString name = dialogs_.AskOpenFileName(this, PolicyFileFilter());
    if (name.isEmpty())
        return;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        dialogs_.ShowMessage(this, MessageIcon::Critical, tr("Cannot read %1: %2").arg(name, file.errorString()));
        return;
    }
    const QByteArray text = file.readAll();
    if (const strings::PoliciesRead read = strings::PoliciesFromJson(text.toStdString()); read.fault) {
        dialogs_.ShowMessage(this, MessageIcon::Critical,
                             tr("%1 is not a policy file: %2").arg(name, QString::fromStdString(strings::PolicyFaultText(*read.fault))));
        return;
    }
    policiesJson_ = QString::fromUtf8(text);
    ShowPolicies();
}

// Every figure of the policies shown, as a file to edit and load again.
void StringEditorDialog::SavePolicies()
{
    const QString name = dialogs_.AskSaveFileName(this, PolicyFileFilter());
    if (name.isEmpty())
        return;
    QFile file(name);
    const QByteArray text = QByteArray::fromStdString(strings::PoliciesToJson(PoliciesOf(policiesJson_)));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size() || !file.flush())
        dialogs_.ShowMessage(this, MessageIcon::Critical, tr("Cannot write %1: %2").arg(name, file.errorString()));
}

void StringEditorDialog::ShowPolicies()
{
    const strings::PolicySet set = PoliciesOf(policiesJson_);
    const strings::Chemistry chemistry = ChemistryAt(chemistry_->currentIndex());
    policies_->setRowCount(static_cast<int>(set.policies.size()));
    for (int row = 0; row < policies_->rowCount(); ++row) {
        const strings::Policy& policy = set.policies[static_cast<std::size_t>(row)];
        policies_->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(policy.name)));
        policies_->setItem(row, 1, new QTableWidgetItem(report::PolicyWords(policy, chemistry)));
    }
    policies_->resizeColumnToContents(0);
}

void StringEditorDialog::Check()
{
    const store::StringInfo string = String();
    QString problem = NameFaultText(cells::NameKind::Site, string.site);
    if (problem.isEmpty())
        problem = NameFaultText(cells::NameKind::String, string.name);
    const bool taken = std::ranges::any_of(known_, [&](const store::StringInfo& other) {
        return other.site == string.site && other.name == string.name;
    });
    if (problem.isEmpty() && taken && !editing_)
        problem = tr(R"(Site "%1" has a string "%2" already)").arg(string.site, string.name);
    const strings::StringLayout layout{string.blocks, string.nominalVolts,
                                       ChemistryAt(chemistry_->currentIndex()),
                                       string.cellsPerBlock, string.straps};
    if (const std::optional<strings::LayoutFault> fault = strings::LayoutFaultOf(layout); problem.isEmpty() && fault)
        problem = CoreFaults::Worded(*fault);
    hint_->setText(problem.isEmpty() && IsNewSite() && !editing_
                       ? tr(R"(Site "%1" is new: it is added with the string.)").arg(string.site)
                       : QString());
    problem_->setText(problem);
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(problem.isEmpty());
}

} // namespace voltaryn
