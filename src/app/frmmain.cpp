#include "frmmain.h"

#include "controls/picture_box.h"
#include "data_path.h"
#include "skin/skinner.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>

frmmain::frmmain(CommonDialogs &dialogs, QWidget *parent) : QMainWindow(parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmmain"));
    setWindowTitle(QStringLiteral("Kalvo"));
    buildMenus();
    buildControls();
    buildGrips();
    connectFileCommands();
    buildStatusBar();
    buildUndoCommands();
    buildTools();
    connectEditCommands();
    connectFilterCommands();
    connectImageCommands();
    // The client area (below the menu bar, status bar included) is 1016 x 522.
    resize(1016, 522 + menuBar()->sizeHint().height());
    // The window sees every key press before the control that has the focus.
    qApp->installEventFilter(this);
}

frmmain::~frmmain()
{
    qApp->removeEventFilter(this);
}

void frmmain::Form_Load()
{
    mSkinner::InstallSkin(this);
    const QString programFolder = AddBackslash(QCoreApplication::applicationDirPath());
    m_document.AppPath = programFolder;
    m_document.DataPath = findDataPath(programFolder);
    m_document.DialogResult = Document::DialogCancelled;
    PlaceGrips();
    showCanvasSize();
    loadTools();
    MnuDQue->trigger();
}

void frmmain::Form_Unload()
{
    mSkinner::RemoveSkin(this);
    // Dialogs still open go with the window; nothing is saved or asked.
    const auto dialogs = findChildren<QDialog *>();
    for (QDialog *dialog : dialogs)
        dialog->close();
}

void frmmain::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

QString frmmain::AddBackslash(const QString &path)
{
    const QChar separator = QDir::separator();
    return path.endsWith(separator) ? path : path + separator;
}

void frmmain::Form_KeyPress(int keyAscii)
{
    if (keyAscii == 'x')
        emit swapColoursRequested();
}

bool frmmain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel && viewportWheel(watched, static_cast<QWheelEvent *>(event)))
        return true;
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
    const QString text = static_cast<QKeyEvent *>(event)->text();
    if (text.size() == 1)
        Form_KeyPress(text.at(0).unicode());
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

void frmmain::showCanvasSize()
{
    setStatusPanel(3, QStringLiteral("%1x%2").arg(m_canvas.width()).arg(m_canvas.height()));
}
