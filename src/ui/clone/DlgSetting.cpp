#include "ui/clone/DlgSetting.h"

#include "app/ProcessSettings.h"
#include "app/UserPrompts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vn574::ui::clone {
namespace {

constexpr const char* lineSettings = "9600,n,8,1";

} // namespace

dlgSetting::dlgSetting(app::ProcessSettings& settings, app::UserPrompts& prompts,
                       const std::vector<std::string>& ports, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_prompts(prompts) {
    setObjectName(QStringLiteral("dlgSetting"));
    const auto text = [&settings](const char* section, const char* key) {
        return QString::fromStdString(settings.language.text(section, key));
    };
    setWindowTitle(text("COMMSET", "6100C"));

    auto* frame = new QGroupBox(text("COMMSET", "61002"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* label = new QLabel(text("COMMSET", "61003"), frame);
    label->setObjectName(QStringLiteral("Label1"));
    m_list = new QComboBox(frame);
    m_list->setObjectName(QStringLiteral("ComBoCommList"));
    m_list->setEditable(true);
    m_list->setInsertPolicy(QComboBox::NoInsert);
    m_list->setMinimumContentsLength(16);
    for (const std::string& port : ports) {
        m_list->addItem(QString::fromStdString(port));
    }
    m_list->setEditText(QString::fromStdString(settings.commPort));
    label->setBuddy(m_list);
    auto* row = new QHBoxLayout(frame);
    row->addWidget(label);
    row->addWidget(m_list, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(text("OPTION", "60024"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKButton"));
    QPushButton* cancel = buttons->addButton(text("OPTION", "60025"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &dlgSetting::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &dlgSetting::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(buttons);
}

void dlgSetting::accept() {
    const std::string name = m_list->currentText().trimmed().toStdString();
    if (name.empty()) {
        // Ports are held by name, so only an empty text names no port; the dialog stays
        // open for a name to be chosen or typed.
        m_prompts.message("Please Set Com Port!", app::Icon::Warning);
        return;
    }
    m_settings.commPort = name;
    m_settings.commSettings = lineSettings;
    QDialog::accept();
}

} // namespace vn574::ui::clone
