#include "frmmain.h"

#include "command_table.h"
#include "controls/bordered_box.h"
#include "controls/canvas_view.h"
#include "data_path.h"
#include "skin/skinner.h"
#include "tools/frmtext.h"
#include "tools/tool_option_panels.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QWheelEvent>

frmmain::frmmain(CommonDialogs &dialogs, QWidget *parent) : QMainWindow(parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmmain"));
    setWindowTitle(QStringLiteral("Kalvo"));
    menuBar()->setObjectName(QStringLiteral("menuBar"));
    buildCommands(commandTable(), menuBar(), *this);
    buildControls();
    buildGrips();
    bindScrollBars();
    updateScrollBars();
    placeGrips();
    buildStatusBar();
    buildUndoButtons();
    buildTools();

    // The mark is the switch: New and Open clear it without a click.
    auto *opaquePaste = findChild<QAction *>(QStringLiteral("MnuDQue"));
    connect(opaquePaste, &QAction::toggled, this,
            [this](bool checked) { m_clipboard.setKeyed(checked); });
    m_clipboard.setKeyed(opaquePaste->isChecked());
    connect(&m_documentCommands, &DocumentCommands::pictureReplaced, opaquePaste,
            [opaquePaste] { opaquePaste->setChecked(false); });
    connect(&m_document.canvas(), &Surface::sizeChanged, this, &frmmain::canvasSizeChanged);

    // The client area (below the menu bar, status bar included) is 1016 x 522.
    resize(1016, 522 + menuBar()->sizeHint().height());
    // The window sees every key press before the control that has the focus.
    qApp->installEventFilter(this);
}

frmmain::~frmmain()
{
    qApp->removeEventFilter(this);
}

void frmmain::startUp()
{
    mSkinner::InstallSkin(this);
    const QString programFolder =
        DocumentCommands::withSeparator(QCoreApplication::applicationDirPath());
    m_document.lastFolder = programFolder;
    m_document.dataFolder = findDataPath(programFolder);
    canvasSizeChanged();
    m_toolPanels->startUp(m_document.dataFolder);
    chooseTool(ToolId::Pencil);
    findChild<QAction *>(QStringLiteral("MnuDQue"))->trigger();
}

void frmmain::closeEvent(QCloseEvent *event)
{
    mSkinner::RemoveSkin(this);
    // Dialogs still open go with the window; nothing is saved or asked.
    const auto openDialogs = findChildren<QDialog *>();
    for (QDialog *dialog : openDialogs)
        dialog->close();
    event->accept();
}

bool frmmain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel && watched == m_viewport->client()) {
        const auto *wheel = static_cast<QWheelEvent *>(event);
        m_canvasView->turnWheel(*wheel,
                                m_canvasView->mapFrom(m_viewport->client(), wheel->position()));
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;
    // A key press ignored by a control travels on to its parents; only its
    // first delivery counts, to the focus widget (or the window without one).
    QWidget *focus = QApplication::focusWidget();
    if (widget != (focus && focus->window() == this ? focus : this))
        return false;
    if (static_cast<QKeyEvent *>(event)->text() == QStringLiteral("x"))
        emit swapColoursRequested();
    return false;
}

void frmmain::setStatusPanel(int index, const QString &text)
{
    if (index >= 1 && index <= static_cast<int>(m_panels.size()))
        m_panels[static_cast<std::size_t>(index - 1)]->setText(text);
}

QString frmmain::statusPanel(int index) const
{
    if (index >= 1 && index <= static_cast<int>(m_panels.size()))
        return m_panels[static_cast<std::size_t>(index - 1)]->text();
    return {};
}

void frmmain::setStatusPosition(const QString &text)
{
    setStatusPanel(2, text);
}

bool frmmain::askText(TextSettings &settings)
{
    const std::optional<TextSettings> answer = frmText::ask(settings, this);
    if (answer)
        settings = *answer;
    return answer.has_value();
}
