#include "gui/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QStringList>
#include <QSystemTrayIcon>

namespace {
QMessageBox::Icon qtIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QIcon trayPicture() {
    QPixmap pix(32, 32);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0, 90, 170));
    p.setPen(Qt::NoPen);
    p.drawEllipse(2, 2, 28, 28);
    p.setPen(QPen(Qt::white, 3));
    p.drawLine(16, 8, 16, 24);
    p.drawArc(8, 8, 16, 16, 30 * 16, 120 * 16);
    return QIcon(pix);
}
}  // namespace

QString qtFileFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i].trimmed();
        const int paren = name.lastIndexOf('(');
        if (paren > 0 && name.endsWith(')')) name = name.left(paren).trimmed();
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (QString& p : patterns) {
            p = p.trimmed();
            if (p == "*.*") p = "*";
        }
        out << QStringLiteral("%1 (%2)").arg(name, patterns.join(' '));
    }
    if (out.isEmpty() && !filter.empty()) out << QString::fromStdString(filter);
    return out.join(";;");
}

MsgAnswer QtDialogs::messageBox(const std::string& title, const std::string& text, MsgButtons buttons, MsgIcon icon) {
    QMessageBox box(qtIcon(icon), QString::fromStdString(title), QString::fromStdString(text));
    box.setTextFormat(Qt::PlainText);
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    default: break;
    }
    // Closed without a button: the box's way out.
    if (buttons == MsgButtons::Ok) return MsgAnswer::Ok;
    if (buttons == MsgButtons::YesNo) return MsgAnswer::No;
    return MsgAnswer::Cancel;
}

std::optional<std::string> QtDialogs::openFile(const std::string& title, const std::string& filter,
                                               const std::string& initialDir) {
    const QString path = QFileDialog::getOpenFileName(QApplication::activeWindow(), QString::fromStdString(title),
                                                      QString::fromStdString(initialDir), qtFileFilter(filter));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

bool trayActivationRestores(int activationReason) {
    return activationReason == QSystemTrayIcon::DoubleClick || activationReason == QSystemTrayIcon::Context;
}

QtTray::QtTray() = default;
QtTray::~QtTray() = default;

bool QtTray::available() const { return QSystemTrayIcon::isSystemTrayAvailable(); }

bool QtTray::add(const std::string& tip) {
    if (!available()) return false;
    if (!icon_) {
        icon_ = std::make_unique<QSystemTrayIcon>(trayPicture());
        QObject::connect(icon_.get(), &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason reason) {
            if (!trayActivationRestores(reason)) return;
            if (!handler_) return;
            if (dispatch_)
                dispatch_(handler_);
            else
                handler_();
        });
    }
    icon_->setToolTip(QString::fromStdString(tip));
    icon_->show();
    return true;
}

void QtTray::remove() {
    if (icon_) icon_->hide();
}

bool QtTray::shown() const { return icon_ && icon_->isVisible(); }
