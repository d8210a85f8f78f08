// A file dialog's list shows each file's size whole.
#include "app/ui/FileDialogColumns.h"

#include "../../support/TempDir.h"

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QHeaderView>
#include <QTest>
#include <QTreeView>

TEST(FileDialogColumns, TheSizeColumnIsAsWideAsTheSizesItShows) {
    TempDir dir;
    TempDir::Write(dir / "memo.txt", std::string(46300, 'a')); // "45.2 KiB"
    QFileDialog d(nullptr, QStringLiteral("開く"), QString::fromStdString(dir.str()));
    d.setViewMode(QFileDialog::Detail);
    FitFileColumns(d);
    d.show();
    QAbstractItemView* tree = d.findChild<QTreeView*>(QStringLiteral("treeView"));
    ASSERT_TRUE(tree);
    QHeaderView* header = static_cast<QTreeView*>(tree)->header();
    ASSERT_TRUE(QTest::qWaitFor([&] { return tree->model()->rowCount(tree->rootIndex()) == 1; }));
    const QModelIndex size = tree->model()->index(0, 1, tree->rootIndex());
    EXPECT_TRUE(size.data().toString().contains(QStringLiteral("KiB")));
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return header->sectionSize(1) >= tree->sizeHintForColumn(1);
    })) << header->sectionSize(1)
        << " < " << tree->sizeHintForColumn(1);
}
