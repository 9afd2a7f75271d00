#include "ui/Frm_Radio.h"

#include "app/Language.h"
#include "document/ValueTables.h"
#include "files/CsvChannels.h"
#include "ui/AboutDialog.h"
#include "ui/ChannelGridModel.h"
#include "ui/ChannelGridView.h"
#include "ui/CompareWindow.h"
#include "ui/FrequencyDelegate.h"
#include "ui/NameDelegate.h"
#include "ui/OptionSignalDelegate.h"
#include "ui/OptionSignalPanel.h"
#include "ui/PriorityDelegate.h"
#include "ui/QtReportPrinter.h"
#include "ui/SimpleListDelegate.h"
#include "ui/StepDelegate.h"
#include "ui/ToneDelegate.h"
#include "ui/clone/RadioTransfers.h"
#include "ui/Twips.h"
#include "ui/UserGuideDialog.h"
#include "ui/dialogs/FrmDTMF.h"
#include "ui/dialogs/Frm_AutoDialer.h"
#include "ui/dialogs/Frm_Option.h"
#include "ui/signalling/Frm2Tone.h"
#include "ui/signalling/Frm5Tone.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace vn574::ui {
namespace {

using document::CellEditor;

constexpr int gridUnlockDelayMs = 200;
// Shown beside the model selector as it always has been, whatever model is selected.
constexpr const char* frequencyRangeText = "Frequency Range  118.0000 ---  173.9950";
// Design size of the window, in twips.
constexpr int designWidthTwips = 15600;
constexpr int designHeightTwips = 9600;

QIcon toolIcon(const QWidget* widget, const char* themeName, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(QString::fromLatin1(themeName),
                            widget->style()->standardIcon(fallback));
}

} // namespace

template <typename Operation> auto Frm_Radio::withGridLocked(Operation operation) {
    m_gridTimer->stop();
    m_grid->setEnabled(false);
    auto result = operation();
    m_gridTimer->start();
    return result;
}

Frm_Radio::Frm_Radio(app::ProcessSettings& settings, app::UserPrompts& prompts, QWidget* parent)
    : QMainWindow(parent), m_settings(settings), m_editor(settings, prompts), m_fields(m_editor),
      m_rowOps(m_editor, m_fields), m_recent(settings.paths.mysetupIni()),
      m_transfers(std::make_unique<clone::RadioTransfers>(m_editor, this)) {
    setObjectName(QStringLiteral("Frm_Radio"));
    setWindowTitle(QStringLiteral("VN-574 Channel Data Editor"));
    buildWidgets();
    buildMenus();

    m_gridTimer = new QTimer(this);
    m_gridTimer->setObjectName(QStringLiteral("Timer1"));
    m_gridTimer->setSingleShot(true);
    m_gridTimer->setInterval(gridUnlockDelayMs);
    connect(m_gridTimer, &QTimer::timeout, this, [this] { m_grid->setEnabled(true); });

    m_systemPrinter = std::make_unique<QtReportPrinter>(this);
    m_printer = m_systemPrinter.get();

    m_editor.setListener(this);
    // "Yes, save first" in every prompt runs Save with its dialog and the grid lock.
    m_editor.setSaveHandler([this] {
        const bool saved = withGridLocked([this] { return files::saveWithDialog(m_editor); });
        if (saved) {
            rememberCurrentFile();
        }
        return saved;
    });
    m_editor.load();

    const int dpi = logicalDpiX();
    resize(twipsToPixels(designWidthTwips, dpi), twipsToPixels(designHeightTwips, dpi));
    // A channel file dropped anywhere on the window opens; the grid takes no drops itself.
    setAcceptDrops(true);
}

Frm_Radio::~Frm_Radio() {
    m_editor.setListener(nullptr);
}

QString Frm_Radio::lang(const char* section, const char* key) const {
    return QString::fromStdString(m_editor.langText(section, key));
}

void Frm_Radio::buildWidgets() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    m_infoFrame = new QGroupBox(QStringLiteral("Radio information"), central);
    m_infoFrame->setObjectName(QStringLiteral("Frame2"));
    m_modelLabel = new QLabel(m_infoFrame);
    m_modelLabel->setObjectName(QStringLiteral("Label1"));
    m_modelSelector = new QComboBox(m_infoFrame);
    m_modelSelector->setObjectName(QStringLiteral("Combo1"));
    for (const document::ModelEntry& model : document::ModelTable()) {
        m_modelSelector->addItem(QString::fromLatin1(model.display.data(),
                                                     static_cast<qsizetype>(model.display.size())));
    }
    m_modelSelector->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_modelLabel->setBuddy(m_modelSelector);
    m_modelCode = new QLabel(m_infoFrame);
    m_modelCode->setObjectName(QStringLiteral("Label2"));
    m_modelCode->setMinimumWidth(twipsToPixels(1200, logicalDpiX()));
    m_rangeLabel = new QLabel(QString::fromLatin1(frequencyRangeText), m_infoFrame);
    m_rangeLabel->setObjectName(QStringLiteral("LabelRange"));
    m_fileName = new QLabel(m_infoFrame);
    m_fileName->setObjectName(QStringLiteral("filename"));
    m_fileName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* info = new QHBoxLayout(m_infoFrame);
    info->addWidget(m_modelLabel);
    info->addWidget(m_modelSelector);
    info->addSpacing(12);
    info->addWidget(m_modelCode);
    info->addWidget(m_rangeLabel);
    info->addStretch(1);
    info->addWidget(m_fileName);
    connect(m_modelSelector, &QComboBox::activated, this, &Frm_Radio::onModelActivated);

    auto* gridFrame = new QFrame(central);
    gridFrame->setObjectName(QStringLiteral("Frame1"));
    m_model = new ChannelGridModel(m_editor, this);
    m_grid = new ChannelGridView(gridFrame);
    m_grid->setModel(m_model);
    m_grid->applyColumnWidths();
    const auto put = [this](int column, CellDelegate* delegate) {
        m_grid->setItemDelegateForColumn(column - 1, delegate);
    };
    using namespace document;
    put(colName, new NameDelegate(m_editor, m_fields, this));
    put(colRef, new StepDelegate(m_editor, m_fields, this));
    auto* frequency = new FrequencyDelegate(m_editor, m_fields, this);
    put(colRxFreq, frequency);
    put(colTxFreq, frequency);
    auto* tone = new ToneDelegate(m_editor, m_fields, this);
    put(colRxTone, tone);
    put(colTxTone, tone);
    auto* simple = new SimpleListDelegate(m_editor, m_fields, this);
    for (const int column :
         {colWideNarrow, colPacMode, colDcsDet, colScanSkip, colBcl, colAni, colShift}) {
        put(column, simple);
    }
    put(colPri, new PriorityDelegate(m_editor, m_fields, this));
    put(colOptSignal, new OptionSignalDelegate(m_editor, m_fields, this));
    connect(m_grid, &ChannelGridView::cellClicked, this, &Frm_Radio::onCellClicked);

    m_frames = new OptionSignalPanel(m_editor, m_fields, gridFrame);
    auto* gridLayout = new QVBoxLayout(gridFrame);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    gridLayout->addWidget(m_grid, 1);
    gridLayout->addWidget(m_frames);

    layout->addWidget(m_infoFrame);
    layout->addWidget(gridFrame, 1);
    setCentralWidget(central);

    m_statusPanel1 = new QLabel(this);
    m_statusPanel1->setObjectName(QStringLiteral("StatusBar1Panel1"));
    m_statusPanel2 = new QLabel(this);
    m_statusPanel2->setObjectName(QStringLiteral("StatusBar1Panel2"));
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(m_statusPanel1, 3);
    statusBar()->addWidget(m_statusPanel2, 1);
}

void Frm_Radio::buildMenus() {
    // Design captions, shown until the language file has been read.
    m_fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    m_fileMenu->setObjectName(QStringLiteral("Menu_File"));
    m_new = m_fileMenu->addAction(QStringLiteral("New"), this, &Frm_Radio::Menu_New_Click);
    m_new->setObjectName(QStringLiteral("Menu_New"));
    m_new->setShortcut(QKeySequence::New);
    m_open = m_fileMenu->addAction(QStringLiteral("Open"), this, &Frm_Radio::Menu_Open_Click);
    m_open->setObjectName(QStringLiteral("Menu_Open"));
    m_open->setShortcut(QKeySequence::Open);
    buildRecentMenu();
    m_save = m_fileMenu->addAction(QStringLiteral("Save"), this, &Frm_Radio::Menu_Save_Click);
    m_save->setObjectName(QStringLiteral("Menu_Save"));
    m_save->setShortcut(QKeySequence::Save);
    m_fileMenu->addSeparator();
    m_print = m_fileMenu->addAction(QStringLiteral("Print"), this, &Frm_Radio::Menu_Print_Click);
    m_print->setObjectName(QStringLiteral("Menu_Print"));
    m_print->setShortcut(QKeySequence::Print);
    m_printFile = m_fileMenu->addAction(QStringLiteral("Print To File"), this,
                                        &Frm_Radio::Menu_PrintFile_Click);
    m_printFile->setObjectName(QStringLiteral("Menu_PrintFile"));
    m_fileMenu->addSeparator();
    m_importCsv = m_fileMenu->addAction(QStringLiteral("Import CSV..."), this,
                                        &Frm_Radio::Menu_ImportCsv_Click);
    m_importCsv->setObjectName(QStringLiteral("Menu_ImportCsv"));
    m_exportCsv = m_fileMenu->addAction(QStringLiteral("Export CSV..."), this,
                                        &Frm_Radio::Menu_ExportCsv_Click);
    m_exportCsv->setObjectName(QStringLiteral("Menu_ExportCsv"));
    m_fileMenu->addSeparator();
    m_compare = m_fileMenu->addAction(QStringLiteral("Compare with..."), this,
                                      &Frm_Radio::Menu_Compare_Click);
    m_compare->setObjectName(QStringLiteral("Menu_Compare"));
    m_fileMenu->addSeparator();
    m_exit = m_fileMenu->addAction(QStringLiteral("Exit"), this, &QWidget::close);
    m_exit->setObjectName(QStringLiteral("Menu_Exit"));

    m_optionMenu = menuBar()->addMenu(QStringLiteral("&Option"));
    m_optionMenu->setObjectName(QStringLiteral("Menu_Option"));
    m_radioOption = m_optionMenu->addAction(QStringLiteral("&Radio Option"), this,
                                            &Frm_Radio::Menu_RadioOption_Click);
    m_radioOption->setObjectName(QStringLiteral("Menu_RadioOption"));
    m_autoDialer = m_optionMenu->addAction(QStringLiteral("&Auto Dialer"), this,
                                           &Frm_Radio::Menu_AutoDiaer_Click);
    m_autoDialer->setObjectName(QStringLiteral("Menu_AutoDiaer"));
    m_dtmf = m_optionMenu->addAction(QStringLiteral("&DTMF"), this, &Frm_Radio::mnuDTMF_Click);
    m_dtmf->setObjectName(QStringLiteral("mnuDTMF"));
    m_twoTone =
        m_optionMenu->addAction(QStringLiteral("2 &Tone"), this, &Frm_Radio::mnu2Tone_Click);
    m_twoTone->setObjectName(QStringLiteral("mnu2Tone"));
    m_fiveTone =
        m_optionMenu->addAction(QStringLiteral("5 T&One"), this, &Frm_Radio::mnu5Tone_Click);
    m_fiveTone->setObjectName(QStringLiteral("mnu5Tone"));
    showSignallingMenus();

    m_languageMenu = menuBar()->addMenu(QStringLiteral("&Language"));
    m_languageMenu->setObjectName(QStringLiteral("Menu_Language"));
    m_languages = new QActionGroup(this);
    m_english = m_languageMenu->addAction(QStringLiteral("&English"));
    m_english->setObjectName(QStringLiteral("Menu_English"));
    m_chinese = m_languageMenu->addAction(QStringLiteral("&Chinese"));
    m_chinese->setObjectName(QStringLiteral("Menu_Chinese"));
    for (QAction* action : {m_english, m_chinese}) {
        action->setCheckable(true);
        m_languages->addAction(action);
    }
    connect(m_english, &QAction::triggered, this,
            [this] { switchLanguage(QString::fromLatin1(app::Language::english.data())); });
    connect(m_chinese, &QAction::triggered, this,
            [this] { switchLanguage(QString::fromLatin1(app::Language::chinese.data())); });

    m_helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    m_helpMenu->setObjectName(QStringLiteral("Help"));
    m_userGuide =
        m_helpMenu->addAction(QStringLiteral("User Guide"), this, &Frm_Radio::Menu_UserGuide_Click);
    m_userGuide->setObjectName(QStringLiteral("Menu_UserGuide"));
    m_userGuide->setShortcut(QKeySequence::HelpContents);
    m_about =
        m_helpMenu->addAction(QStringLiteral("About VN574"), this, &Frm_Radio::Menu_About_Click);
    m_about->setObjectName(QStringLiteral("Menu_About"));

    m_toolBar = addToolBar(QStringLiteral("Toolbar1"));
    m_toolBar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(24, 24));
    m_newButton = m_toolBar->addAction(toolIcon(this, "document-new", QStyle::SP_FileIcon),
                                       QStringLiteral("New"), this, &Frm_Radio::Menu_New_Click);
    m_newButton->setObjectName(QStringLiteral("NewBtn"));
    m_openButton =
        m_toolBar->addAction(toolIcon(this, "document-open", QStyle::SP_DialogOpenButton),
                             QStringLiteral("Open"), this, &Frm_Radio::Menu_Open_Click);
    m_openButton->setObjectName(QStringLiteral("OpenBtn"));
    m_saveButton =
        m_toolBar->addAction(toolIcon(this, "document-save", QStyle::SP_DialogSaveButton),
                             QStringLiteral("Save"), this, &Frm_Radio::Menu_Save_Click);
    m_saveButton->setObjectName(QStringLiteral("SaveBtn"));
    buildEditMenu();
    buildRowsMenu();
    buildFindMenu();
    m_toolBar->addSeparator();
    m_optionButton = m_toolBar->addAction(
        toolIcon(this, "preferences-system", QStyle::SP_FileDialogDetailedView),
        QStringLiteral("Radio Option"), this, &Frm_Radio::Menu_RadioOption_Click);
    m_optionButton->setObjectName(QStringLiteral("OptionBtn"));
    m_autoDialerButton =
        m_toolBar->addAction(toolIcon(this, "call-start", QStyle::SP_FileDialogListView),
                             QStringLiteral("Auto Dialer"), this, &Frm_Radio::Menu_AutoDiaer_Click);
    m_autoDialerButton->setObjectName(QStringLiteral("AdBtn"));
    buildTransferMenu();
}

void Frm_Radio::applyTexts() {
    showTitle();
    m_fileMenu->setTitle(lang("Menu", "1000M"));
    m_recentMenu->setTitle(lang("Menu", "10013"));
    m_new->setText(lang("Menu", "10000"));
    m_open->setText(lang("Menu", "10001"));
    m_save->setText(lang("Menu", "10002"));
    m_print->setText(lang("Menu", "10003"));
    m_printFile->setText(lang("Menu", "10004"));
    m_exit->setText(lang("Menu", "10005"));
    m_optionMenu->setTitle(lang("Menu", "2000M"));
    m_radioOption->setText(lang("Menu", "20000"));
    m_autoDialer->setText(lang("Menu", "20001"));
    m_dtmf->setText(lang("Menu", "20002"));
    m_twoTone->setText(lang("Menu", "20003"));
    m_fiveTone->setText(lang("Menu", "20004"));
    m_languageMenu->setTitle(lang("Menu", "4000M"));
    m_english->setText(lang("Menu", "40001"));
    m_chinese->setText(lang("Menu", "40002"));
    m_helpMenu->setTitle(lang("Menu", "40003"));
    m_about->setText(lang("Menu", "40004"));
    m_importCsv->setText(lang("Menu", "10010"));
    m_exportCsv->setText(lang("Menu", "10011"));
    m_compare->setText(lang("Menu", "10012"));
    m_userGuide->setText(lang("Menu", "40010"));
    const auto tip = [this](QAction* button, const char* key) {
        button->setText(lang("Toolbar", key));
        button->setToolTip(lang("Toolbar", key));
    };
    tip(m_newButton, "8000");
    tip(m_openButton, "8001");
    tip(m_saveButton, "8002");
    tip(m_optionButton, "8003");
    tip(m_autoDialerButton, "8004");
    m_infoFrame->setTitle(lang("OTHERS", "70010"));
    m_modelLabel->setText(lang("OTHERS", "70009"));

    applyTransferTexts();
    applyEditTexts();
    applyRowsTexts();
    applyFindTexts();

    const std::string& current = m_settings.language.currentFile();
    m_english->setChecked(current == app::Language::english);
    m_chinese->setChecked(current == app::Language::chinese);
}

void Frm_Radio::showLabels() {
    m_fileName->setText(QString::fromStdString(m_editor.fileName()));
    m_statusPanel1->setText(QString::fromStdString(m_editor.statusPanel1()));
    m_statusPanel2->setText(QString::fromStdString(m_editor.statusPanel2()));
    m_modelCode->setText(QString::fromStdString(m_editor.modelCodeLabel()));
}

void Frm_Radio::showModel() {
    // Set by the program (start-up, a file, the radio): not a choice of the user's.
    const QSignalBlocker blocker(m_modelSelector);
    m_modelSelector->setCurrentIndex(m_editor.selectedModel());
}

void Frm_Radio::editorChanged(unsigned changes) {
    if ((changes & document::LanguageChanged) != 0) {
        applyTexts();
    }
    if ((changes & document::GridChanged) != 0) {
        m_model->refresh();
    }
    if ((changes & document::ModelChanged) != 0) {
        showModel();
    }
    if ((changes & document::LabelsChanged) != 0) {
        showLabels();
    }
    if ((changes & document::FramesChanged) != 0) {
        m_frames->refresh();
    }
    if ((changes & document::OptionSignalsChanged) != 0) {
        showSignallingMenus();
    }
    if ((changes & document::HistoryChanged) != 0) {
        showHistory();
    }
    showChecksLater(changes);
    showTitle();
}

void Frm_Radio::onCellClicked(int gridRow, int gridColumn) {
    if (!m_grid->isEnabled()) {
        return;
    }
    const CellEditor editor = m_editor.cellClicked(gridRow, gridColumn);
    recordStepNamed(QString::fromStdString(m_editor.stepName("95001", m_editor.cell(gridRow, 0))));
    if (editor != CellEditor::None) {
        m_grid->openEditor(gridRow, gridColumn);
    }
}

void Frm_Radio::onModelActivated(int index) {
    m_grid->finishOpenEditor();
    m_editor.selectModel(index);
    m_editor.recordStep(m_editor.stepName("95002"), true);
}

void Frm_Radio::lockGrid() {
    m_grid->setEnabled(false);
    m_gridTimer->start();
}

void Frm_Radio::Menu_New_Click() {
    m_grid->finishOpenEditor();
    m_editor.newDocument();
}

void Frm_Radio::Menu_Open_Click() {
    m_grid->finishOpenEditor();
    // The open itself decides between a fresh history and an undoable failed open.
    const auto result = withGridLocked([this] { return files::openWithDialog(m_editor); });
    if (result && result->status == files::OpenStatus::Opened) {
        rememberCurrentFile();
    }
}

files::OpenResult Frm_Radio::openFile(const std::string& path) {
    m_grid->finishOpenEditor();
    // Exactly as File -> Open: a whole open starts a fresh history, so an undo never
    // brings back the start-up document; a failed one is an undoable step.
    const files::OpenResult result =
        withGridLocked([this, &path] { return files::openChannelFile(m_editor, path); });
    if (result.status == files::OpenStatus::Opened) {
        rememberCurrentFile();
    }
    return result;
}

void Frm_Radio::Menu_Save_Click() {
    m_grid->finishOpenEditor();
    if (withGridLocked([this] { return files::saveWithDialog(m_editor); })) {
        rememberCurrentFile();
    }
}

void Frm_Radio::Menu_Print_Click() {
    m_grid->finishOpenEditor();
    files::printWithPrompt(m_editor, *m_printer);
}

void Frm_Radio::Menu_PrintFile_Click() {
    m_grid->finishOpenEditor();
    files::exportReportWithDialog(m_editor);
}

// The option dialogs are modal and write into the document themselves on OK.
void Frm_Radio::Menu_RadioOption_Click() {
    m_grid->finishOpenEditor();
    Frm_Option dialog(m_editor, this);
    dialog.exec();
    recordStepNamed(m_radioOption->text().remove(QLatin1Char('&')));
}

void Frm_Radio::Menu_AutoDiaer_Click() {
    m_grid->finishOpenEditor();
    Frm_AutoDialer dialog(m_editor, this);
    dialog.exec();
    recordStepNamed(m_autoDialer->text().remove(QLatin1Char('&')));
}

void Frm_Radio::mnuDTMF_Click() {
    m_grid->finishOpenEditor();
    FrmDTMF dialog(m_editor, this);
    dialog.exec();
    recordStepNamed(m_dtmf->text().remove(QLatin1Char('&')));
}

void Frm_Radio::showSignallingMenus() {
    // The radio's installed options decide which signalling editors it offers.
    m_dtmf->setVisible(m_editor.dtmfMenuVisible());
    m_twoTone->setVisible(m_editor.twoToneMenuVisible());
    m_fiveTone->setVisible(m_editor.fiveToneMenuVisible());
}

void Frm_Radio::mnu2Tone_Click() {
    m_grid->finishOpenEditor();
    signalling::Frm2Tone dialog(m_editor, this);
    dialog.exec();
    recordStepNamed(m_twoTone->text().remove(QLatin1Char('&')));
}

void Frm_Radio::mnu5Tone_Click() {
    m_grid->finishOpenEditor();
    signalling::Frm5Tone dialog(m_editor, this);
    dialog.exec();
    recordStepNamed(m_fiveTone->text().remove(QLatin1Char('&')));
}

void Frm_Radio::Menu_About_Click() {
    AboutDialog about(m_settings.language, this);
    about.exec();
}

void Frm_Radio::Menu_ImportCsv_Click() {
    m_grid->finishOpenEditor();
    withGridLocked([this] { return files::importCsvWithDialog(m_editor); });
    recordStep("95003");
}

void Frm_Radio::Menu_ExportCsv_Click() {
    m_grid->finishOpenEditor();
    files::exportCsvWithDialog(m_editor);
}

void Frm_Radio::Menu_Compare_Click() {
    m_grid->finishOpenEditor();
    const auto comparison = files::compareWithDialog(m_editor);
    if (!comparison) {
        return;
    }
    if (m_compareWindow == nullptr) {
        m_compareWindow = new CompareWindow(m_editor, this);
        connect(m_compareWindow, &CompareWindow::channelCellRequested, this,
                &Frm_Radio::showGridCell);
    }
    m_compareWindow->showComparison(*comparison);
    m_compareWindow->show();
    m_compareWindow->raise();
    m_compareWindow->activateWindow();
}

void Frm_Radio::showGridCell(int gridRow, int gridColumn) {
    m_grid->finishOpenEditor();
    m_editor.setCurrentCell(gridRow, gridColumn);
    const QModelIndex index = m_model->index(gridRow - 1, gridColumn - 1);
    m_grid->setCurrentIndex(index);
    m_grid->scrollTo(index);
}

void Frm_Radio::Menu_UserGuide_Click() {
    showUserGuide(lang("Menu", "40010"), this);
}

void Frm_Radio::switchLanguage(const QString& file) {
    m_grid->finishOpenEditor();
    if (!m_editor.switchLanguage(file.toStdString())) {
        applyTexts(); // the menu's check mark goes back to the language in use
    }
}

void Frm_Radio::buildTransferMenu() {
    m_transferMenu = new QMenu(QStringLiteral("&Transfer"), this);
    m_transferMenu->setObjectName(QStringLiteral("Menu_Transfer"));
    menuBar()->insertMenu(m_languageMenu->menuAction(), m_transferMenu);
    m_writeData = m_transferMenu->addAction(QStringLiteral("&Write CH Data"), this,
                                            &Frm_Radio::Menu_WriteCHData_Click);
    m_writeData->setObjectName(QStringLiteral("Menu_WriteCHData"));
    m_writeData->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W));
    m_readData = m_transferMenu->addAction(QStringLiteral("&Read CH Data"), this,
                                           &Frm_Radio::Menu_ReadCHData_Click);
    m_readData->setObjectName(QStringLiteral("Menu_ReadCHData"));
    m_readData->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    m_comPort = m_transferMenu->addAction(QStringLiteral("&COM Port"), this,
                                          &Frm_Radio::Menu_COMPort_Click);
    m_comPort->setObjectName(QStringLiteral("Menu_COMPort"));
    m_transferMenu->addSeparator();
    m_verifyRadio = m_transferMenu->addAction(QStringLiteral("&Verify Radio…"), this, [this] {
        m_grid->finishOpenEditor();
        m_transfers->verifyRadio();
    });
    m_verifyRadio->setObjectName(QStringLiteral("Menu_VerifyRadio"));
    m_restoreBackup = m_transferMenu->addAction(QStringLiteral("Restore Radio from &Backup…"), this,
                                                [this] { m_transfers->restoreFromBackupMenu(); });
    m_restoreBackup->setObjectName(QStringLiteral("Menu_RestoreBackup"));
    m_transferHistory = m_transferMenu->addAction(QStringLiteral("Transfer &History…"), this,
                                                  [this] { m_transfers->transferHistoryMenu(); });
    m_transferHistory->setObjectName(QStringLiteral("Menu_TransferHistory"));
    m_fleet = m_transferMenu->addAction(QStringLiteral("Program &Several Radios…"), this, [this] {
        m_grid->finishOpenEditor();
        m_transfers->programSeveralRadios();
    });
    m_fleet->setObjectName(QStringLiteral("Menu_Fleet"));

    m_readButton = m_toolBar->addAction(toolIcon(this, "go-down", QStyle::SP_ArrowDown),
                                        QStringLiteral("Read"), this, &Frm_Radio::ReadBtn_Click);
    m_readButton->setObjectName(QStringLiteral("ReadBtn"));
    m_writeButton =
        m_toolBar->addAction(toolIcon(this, "go-up", QStyle::SP_ArrowUp), QStringLiteral("Write"),
                             this, &Frm_Radio::Menu_WriteCHData_Click);
    m_writeButton->setObjectName(QStringLiteral("Write"));
}

void Frm_Radio::applyTransferTexts() {
    m_transferMenu->setTitle(lang("Menu", "3000M"));
    m_writeData->setText(lang("Menu", "30000"));
    m_readData->setText(lang("Menu", "30001"));
    m_comPort->setText(lang("Menu", "30002"));
    m_verifyRadio->setText(lang("Menu", "30003"));
    m_restoreBackup->setText(lang("Menu", "30004"));
    m_transferHistory->setText(lang("Menu", "30005"));
    m_fleet->setText(lang("Menu", "30006"));
    // The buttons do what the menu items do, so their tips teach the menu's keys.
    const auto withKeys = [this](const char* key, const QAction* menuItem) {
        return lang("Toolbar", key) + QStringLiteral(" (") +
               menuItem->shortcut().toString(QKeySequence::NativeText) + QLatin1Char(')');
    };
    m_readButton->setText(lang("Toolbar", "8005"));
    m_readButton->setToolTip(withKeys("8005", m_readData));
    m_writeButton->setText(lang("Toolbar", "8006"));
    m_writeButton->setToolTip(withKeys("8006", m_writeData));
}

void Frm_Radio::Menu_ReadCHData_Click() {
    m_grid->finishOpenEditor();
    m_transfers->readChannelData();
}

void Frm_Radio::ReadBtn_Click() {
    m_grid->finishOpenEditor();
    m_transfers->readButton();
}

void Frm_Radio::Menu_WriteCHData_Click() {
    m_grid->finishOpenEditor();
    m_transfers->writeChannelData();
}

void Frm_Radio::Menu_COMPort_Click() {
    m_transfers->comPortMenu();
}

void Frm_Radio::closeEvent(QCloseEvent* event) {
    if (!m_closeConfirmed) {
        m_grid->finishOpenEditor();
        if (!m_editor.close()) {
            // The user wanted the changes saved and they were not: stay open.
            event->ignore();
            return;
        }
        m_closeConfirmed = true;
    }
    savePlacement();
    event->accept();
}

} // namespace vn574::ui
