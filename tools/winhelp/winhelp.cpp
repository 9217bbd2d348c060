// winhelp: shows Tovmir's help file, a UTF-8 Markdown text, with its headings
// as a table of contents beside it. Usage: winhelp [FILE], FILE by default
// Vessund.HLP.
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QMessageBox>
#include <QScrollBar>
#include <QSplitter>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>
#include <QUrl>

#include <vector>

namespace {

constexpr int deepestListedHeading = 3;
// Where the heading's block number is kept on its table-of-contents entry.
constexpr int blockRole = Qt::UserRole;

// Tovmir starts the viewer in its own working folder, but a user may start it
// from anywhere; the copy installed beside the viewer is then the one meant.
QString locateHelpFile(const QString& name) {
    const QFileInfo given(name);
    if (given.isFile() || given.isAbsolute()) return given.filePath();
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    return QFileInfo(beside).isFile() ? beside : given.filePath();
}

// False only when the file cannot be opened or read; an empty file is a blank
// help text, not an error.
bool readHelpText(const QString& path, QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return false;
    // The decoder drops a leading byte-order mark, which an editor on Windows may add.
    QStringDecoder utf8(QStringDecoder::Utf8);
    text = utf8(bytes);
    // A copy saved by an older editor in Latin-1 still reads, only the
    // special signs of Windows-1252 would come out wrong.
    if (utf8.hasError()) text = QString::fromLatin1(bytes);
    return true;
}

// The anchor GitHub gives a heading, so links such as [x](#att-välja-månad)
// written for the repository's own preview also work here.
QString headingAnchor(const QString& heading) {
    QString anchor;
    for (const QChar c : heading.toLower()) {
        if (c.isLetterOrNumber() || c == u'-' || c == u'_') anchor += c;
        else if (c.isSpace()) anchor += u'-';
    }
    return anchor;
}

// The document's headings down to level three, each under the nearest heading
// above it of a higher level; a file that begins at level two has its
// level-two headings at the top.
void fillContents(QTreeWidget* contents, const QTextDocument* document) {
    std::vector<std::pair<int, QTreeWidgetItem*>> open;  // (level, item), outermost first
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level < 1 || level > deepestListedHeading) continue;
        const QString title = block.text().simplified();
        if (title.isEmpty()) continue;
        while (!open.empty() && open.back().first >= level) open.pop_back();
        auto* item = open.empty() ? new QTreeWidgetItem(contents) : new QTreeWidgetItem(open.back().second);
        item->setText(0, title);
        item->setToolTip(0, title);
        item->setData(0, blockRole, block.blockNumber());
        open.emplace_back(level, item);
    }
    contents->expandAll();
}

// The heading goes to the top of the text pane rather than merely into view, so
// its section reads from its start; the cursor follows, for the keys.
void showBlock(QTextBrowser* text, int blockNumber) {
    const QTextBlock block = text->document()->findBlockByNumber(blockNumber);
    if (!block.isValid()) return;
    text->setTextCursor(QTextCursor(block));
    const QRectF place = text->document()->documentLayout()->blockBoundingRect(block);
    text->verticalScrollBar()->setValue(static_cast<int>(place.top()));
}

void followLink(QTextBrowser* text, const QUrl& url) {
    if (url.scheme().isEmpty() && url.path().isEmpty() && url.hasFragment()) {
        const QString wanted = url.fragment(QUrl::FullyDecoded).toLower();
        for (QTextBlock block = text->document()->begin(); block.isValid(); block = block.next()) {
            if (block.blockFormat().headingLevel() > 0 && headingAnchor(block.text()) == wanted) {
                showBlock(text, block.blockNumber());
                return;
            }
        }
        return;
    }
    QDesktopServices::openUrl(url);
}

QMainWindow* buildWindow(const QString& markdown, const QString& path) {
    auto* window = new QMainWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QStringLiteral("Tovmir – Hjälp"));

    auto* splitter = new QSplitter(Qt::Horizontal, window);
    auto* contents = new QTreeWidget(splitter);
    contents->setObjectName(QStringLiteral("contents"));
    contents->setHeaderHidden(true);
    contents->setColumnCount(1);
    contents->setRootIsDecorated(false);
    contents->setIndentation(14);

    auto* text = new QTextBrowser(splitter);
    text->setObjectName(QStringLiteral("text"));
    text->setOpenLinks(false);
    // Pictures named in the help text are looked for beside the file.
    const QString folder = QFileInfo(path).absolutePath();
    text->setSearchPaths({folder});
    text->document()->setBaseUrl(QUrl::fromLocalFile(folder + u'/'));
    text->document()->setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    text->moveCursor(QTextCursor::Start);

    fillContents(contents, text->document());

    // Clicking the entry already selected must scroll back to it too.
    const auto jump = [text](QTreeWidgetItem* item) {
        if (item) showBlock(text, item->data(0, blockRole).toInt());
    };
    QObject::connect(contents, &QTreeWidget::itemClicked, text, jump);
    QObject::connect(contents, &QTreeWidget::currentItemChanged, text, jump);
    QObject::connect(text, &QTextBrowser::anchorClicked, text,
                     [text](const QUrl& url) { followLink(text, url); });

    splitter->addWidget(contents);
    splitter->addWidget(text);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({250, 550});
    window->setCentralWidget(splitter);
    window->resize(800, 600);
    return window;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QString name = arguments.size() > 1 ? arguments.at(1) : QStringLiteral("Vessund.HLP");
    const QString path = locateHelpFile(name);

    QString markdown;
    if (!readHelpText(path, markdown)) {
        QMessageBox::critical(nullptr, QStringLiteral("Hjälp"),
                              QStringLiteral("Hjälpfilen %1 kan inte läsas.").arg(name));
        return 1;
    }
    QMainWindow* window = buildWindow(markdown, path);
    window->show();
    window->findChild<QTextBrowser*>(QStringLiteral("text"))->setFocus();
    return app.exec();
}
