#include "model/print/KeptNotes.h"
#include "model/print/PdfFileName.h"
#include "support/FileBytes.h"
#include "windows/ui/PrinterDialogService.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QtTest>


namespace {
struct Proposal {
    QString dba;
    QStringList existing; // file names already in the folder
    QString proposed;
};
const QString kFolder = "/home/ann/Documents/QUILLON";
} // namespace
Q_DECLARE_METATYPE(Proposal)

class PdfFileNameTest : public QObject {
    Q_OBJECT
private slots:
    void proposedName_data()
    {
        QTest::addColumn<Proposal>("row");
        QTest::newRow("plain DBA") << Proposal{"Lee Farms", {}, "Lee Farms 2026-12-07.pdf"};
        QTest::newRow("DBA with every unfit character")
            << Proposal{"Smith/Jones:a\\b*c?d\"e<f>g|h\ti", {}, "Smith_Jones_a_b_c_d_e_f_g_h_i 2026-12-07.pdf"};
        QTest::newRow("DBA of dots and blanks only") << Proposal{" .. ", {}, "2026-12-07.pdf"};
        QTest::newRow("DBA ending in a full stop") << Proposal{"Acme Inc.", {}, "Acme Inc 2026-12-07.pdf"};
        QTest::newRow("letters beyond ASCII stay") << Proposal{"Café Ñandú", {}, "Café Ñandú 2026-12-07.pdf"};
        QTest::newRow("an earlier note that day")
            << Proposal{"Lee Farms", {"Lee Farms 2026-12-07.pdf"}, "Lee Farms 2026-12-07 (2).pdf"};
        QTest::newRow("a gap in the numbers is not filled from behind")
            << Proposal{"", {"2026-12-07.pdf", "2026-12-07 (3).pdf"}, "2026-12-07 (2).pdf"};
        QTest::newRow("another customer's note does not count")
            << Proposal{"Lee Farms", {"Ray Co 2026-12-07.pdf"}, "Lee Farms 2026-12-07.pdf"};
    }
    void proposedName()
    {
        QFETCH(Proposal, row);
        const QStringList existing = QStringList(row.existing).replaceInStrings(QRegularExpression("^"), kFolder + "/");
        const QString path = print::proposedPdfPath(kFolder, row.dba, QDate(2026, 12, 7),
                                                 [&](const QString& p) { return existing.contains(p); });
        QCOMPARE(path, kFolder + "/" + row.proposed);
    }

    // A kept note never takes the place of a file with its name: it gets the next free number.
    void keptNoteReplacesNoFile()
    {
        QTemporaryDir folder;
        writeFile(folder.filePath("5 Lee Farms 2026-12-07.pdf"), "first");
        writeFile(folder.filePath("5 Lee Farms 2026-12-07 (2).pdf"), "second");
        writeFile(folder.filePath(".keeping.pdf"), "third");
        QCOMPARE(print::keepNoteFile(folder.filePath(".keeping.pdf"), folder.path(), 5, "Lee Farms", QDate(2026, 12, 7)),
                 folder.filePath("5 Lee Farms 2026-12-07 (3).pdf"));
        QStringList kept;
        for (const QString& name : QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name))
            kept << name + "=" + bytesOf(folder.filePath(name));
        QCOMPARE(kept, (QStringList{"5 Lee Farms 2026-12-07 (2).pdf=second", "5 Lee Farms 2026-12-07 (3).pdf=third",
                                    "5 Lee Farms 2026-12-07.pdf=first"}));
    }

    // The desktop's print dialog offers no way to print part of the note.
    void printDialogOffersNoPageRange()
    {
        ui::PrinterDialogRequest request;
        request.flags = ui::kNoSelection | ui::kNoPageNumbers | ui::kReturnDc;
        QStringList offered;
        bool seen = false;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            seen = dialog != nullptr;
            if (!dialog)
                return;
            // The range sits among the options, which the dialog opens on request.
            for (QPushButton* button : dialog->findChildren<QPushButton*>())
                if (button->text().contains("Options >>"))
                    button->click();
            for (const char* name : {"printRange", "from", "to", "pagesRadioButton", "pagesLineEdit", "printSelection",
                                     "printCurrentPage", "pageSetCombo"})
                if (auto* control = dialog->findChild<QWidget*>(name); control && control->isVisible())
                    offered << name;
            static_cast<QDialog*>(dialog)->reject();
        });
        QVERIFY(!ui::QtPrinterDialogService().show(nullptr, request).confirmed);
        QVERIFY(seen);
        QCOMPARE(offered, QStringList());
    }
};

QTEST_MAIN(PdfFileNameTest)
#include "tst_PdfFileName.moc"
