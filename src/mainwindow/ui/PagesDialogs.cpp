// The save and open dialogs of the pages.
#include "app/ui/FileDialogColumns.h"
#include "mainwindow/pages/DocumentFile.h"
#include "mainwindow/ui/EncodingUi.h"
#include "mainwindow/ui/Pages.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

namespace {

const QStringList kSaveFilters = {
    QStringLiteral("テキスト( *.txt) (*.txt)"),
    QStringLiteral("ハイパーテキスト( *.html, *.htm) (*.html *.htm)"),
    QStringLiteral("すべてのファイル( *.* ) (*)"),
};

const QStringList kOpenFilters = {
    QStringLiteral("テキスト( txt ) (*.txt)"),
    QStringLiteral("ハイパーテキスト( htm, html ) (*.htm *.html)"),
    QStringLiteral("すべてのファイル (*)"),
};

QLineEdit* nameBox(QFileDialog& d) {
    return d.findChild<QLineEdit*>("fileNameEdit");
}

// The name the dialog holds, as a path in its current folder.
QString chosenPath(QFileDialog& d) {
    QString name;
    if (QLineEdit* e = nameBox(d)) name = e->text();
    if (name.isEmpty()) return {};
    if (QFileInfo(name).isAbsolute()) return name;
    return d.directory().absoluteFilePath(name);
}

} // namespace

TSaveDialogResult TPages::RunSaveDialog(const std::string& folder, const std::string& name) {
    QFileDialog d(window_, QStringLiteral("保存するファイル名を指定してください。"));
    d.setObjectName("SaveDialog1");
    d.setOption(QFileDialog::DontConfirmOverwrite, true); // the pages ask themselves
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setFileMode(QFileDialog::AnyFile);
    d.setNameFilters(kSaveFilters);
    d.selectNameFilter(kSaveFilters[2]);
    d.setDirectory(QString::fromStdString(folder));
    d.selectFile(QString::fromStdString(name));
    // The first two types put their extension on the name in the box; the third leaves it.
    QObject::connect(&d, &QFileDialog::filterSelected, &d, [&d](const QString& filter) {
        QLineEdit* e = nameBox(d);
        if (const auto n =
                e ? NameWithSaveType(e->text().toStdString(), int(kSaveFilters.indexOf(filter)))
                  : std::nullopt)
            e->setText(QString::fromStdString(*n));
    });
    // The encoding and line ends the page is written in.
    const std::function<void()> takeFormat = AddFormatChoices(d, ActivePageEditor());
    FitFileColumns(d);
    TSaveDialogResult r;
    r.accepted = d.exec() == QDialog::Accepted;
    if (r.accepted) takeFormat();
    if (r.accepted && !d.selectedFiles().isEmpty())
        r.path = d.selectedFiles().first().toStdString();
    else
        r.path = chosenPath(d).toStdString();
    return r;
}

std::string TPages::RunOpenDialog(const std::string& folder) {
    QFileDialog d(window_, QStringLiteral("開く"));
    d.setObjectName("OpenDialog1");
    d.setAcceptMode(QFileDialog::AcceptOpen);
    d.setFileMode(QFileDialog::ExistingFile);
    d.setNameFilters(kOpenFilters);
    d.setDefaultSuffix(QStringLiteral("txt"));
    QString start = QString::fromStdString(folder.empty() ? openDialogFolder_ : folder);
    if (!start.isEmpty()) d.setDirectory(start);
    FitFileColumns(d);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return {};
    std::string path = d.selectedFiles().first().toStdString();
    openDialogFolder_ = PathFolder(path);
    return path;
}
