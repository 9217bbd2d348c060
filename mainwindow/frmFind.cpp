#include "frmFind.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>

#include "findwindow.h"

namespace tovmir {

namespace {

// MS Sans Serif by the metric-compatible Liberation Sans, as in the date calculator.
QFont sansSerif(double points) {
    QFont f("Liberation Sans");
    f.setPointSizeF(points);
    return f;
}

QLineEdit* field(QWidget* parent, const char* name, int width) {
    auto* f = new QLineEdit(parent);
    f->setObjectName(name);
    if (width > 0) f->setFixedWidth(width);
    return f;
}

}  // namespace

frmFind::frmFind(QWidget* owner, std::function<void()> turned, std::function<void()> focusBack)
    : QWidget(owner, Qt::Dialog), mainWindowTurned(std::move(turned)), focusDateField(std::move(focusBack)) {
    setObjectName("frmFind");
    setWindowTitle("Sök");
    setFont(sansSerif(8.25));
    resize(520, 330);

    txtPhrase = field(this, "txtPhrase", 0);
    txtFrom = field(this, "txtFrom", 56);
    txtTo = field(this, "txtTo", 56);
    txtPhrase->setPlaceholderText("t.ex. Dom. 3 p. Trin. 1745, Die Andreae, Olofsmäss");
    auto* lblPhrase = new QLabel("Text eller kyrkodag:", this);
    auto* lblFrom = new QLabel("Från år:", this);
    auto* lblTo = new QLabel("Till år:", this);
    lblPhrase->setBuddy(txtPhrase);
    lblFrom->setBuddy(txtFrom);
    lblTo->setBuddy(txtTo);
    txtTo->setToolTip("Tomt: bara Från år");

    const auto button = [this](const char* name, const char* caption, void (frmFind::*click)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(true);  // Enter on the button that has the focus presses it
        connect(b, &QPushButton::clicked, this, click);
        return b;
    };
    cmdFind = button("cmdFind", "Sök", &frmFind::cmdFind_Click);
    cmdShow = button("cmdShow", "Visa", &frmFind::cmdShow_Click);
    cmdClose = button("cmdClose", "Stäng", &frmFind::cmdClose_Click);

    lstDays = new QTreeWidget(this);
    lstDays->setObjectName("lstDays");
    lstDays->setColumnCount(4);
    lstDays->setHeaderLabels({"Datum", "Dag", "Alternativt datum", "Text"});
    lstDays->setRootIsDecorated(false);
    lstDays->setUniformRowHeights(true);
    lstDays->setAllColumnsShowFocus(true);
    lstDays->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int c = 0; c < 3; ++c) lstDays->header()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    lstDays->header()->setStretchLastSection(true);

    lblMessage = new QLabel(this);
    lblMessage->setObjectName("lblMessage");
    lblMessage->setWordWrap(true);
    lblMessage->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* grid = new QGridLayout(this);
    grid->addWidget(lblPhrase, 0, 0);
    grid->addWidget(txtPhrase, 0, 1, 1, 5);
    grid->addWidget(lblFrom, 1, 0);
    grid->addWidget(txtFrom, 1, 1);
    grid->addWidget(lblTo, 1, 2, Qt::AlignRight);
    grid->addWidget(txtTo, 1, 3);
    grid->addWidget(cmdFind, 1, 5);
    grid->setColumnStretch(4, 1);
    grid->addWidget(lstDays, 2, 0, 1, 6);
    grid->setRowStretch(2, 1);
    grid->addWidget(lblMessage, 3, 0, 1, 6);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdShow);
    buttons->addWidget(cmdClose);
    grid->addLayout(buttons, 4, 0, 1, 6);

    QWidget::setTabOrder(txtPhrase, txtFrom);
    QWidget::setTabOrder(txtFrom, txtTo);
    QWidget::setTabOrder(txtTo, cmdFind);
    QWidget::setTabOrder(cmdFind, lstDays);
    QWidget::setTabOrder(lstDays, cmdShow);
    QWidget::setTabOrder(cmdShow, cmdClose);

    connect(txtPhrase, &QLineEdit::textChanged, [](const QString& t) { findPhrase = t.toStdString(); });
    connect(txtFrom, &QLineEdit::textChanged, [](const QString& t) { findFromText = t.toStdString(); });
    connect(txtTo, &QLineEdit::textChanged, [](const QString& t) { findToText = t.toStdString(); });
    for (QLineEdit* f : {txtPhrase, txtFrom, txtTo}) connect(f, &QLineEdit::returnPressed, this, &frmFind::cmdFind_Click);
    // Enter on a row and a double click both activate it.
    connect(lstDays, &QTreeWidget::activated, this, [this](const QModelIndex& i) { lstDays_DblClick(i.row()); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &frmFind::cmdClose_Click);
    auto* again = new QShortcut(QKeySequence::Find, this);
    connect(again, &QShortcut::activated, this, [this] {
        txtPhrase->setFocus();
        txtPhrase->selectAll();
    });

    showFields();
    showList();
    lblMessage->setText(QString::fromStdString(findMessage));
}

void frmFind::Form_Load() {
    tovmir::frmFind_Load();
    showFields();
    show();
    raise();
    activateWindow();
    txtPhrase->setFocus();
    txtPhrase->selectAll();
}

void frmFind::enterPhrase(const QString& text) {
    txtPhrase->setText(text);
    cmdFind_Click();
}

void frmFind::showFields() {
    const std::pair<QLineEdit*, const std::string*> fields[] = {
        {txtPhrase, &findPhrase}, {txtFrom, &findFromText}, {txtTo, &findToText}};
    for (const auto& [f, text] : fields)
        if (f->text().toStdString() != *text) f->setText(QString::fromStdString(*text));
}

void frmFind::showList() {
    lstDays->clear();
    QList<QTreeWidgetItem*> rows;
    for (const auto& day : foundDays) {
        QStringList columns;
        for (const auto& c : foundDayColumns(day)) columns << QString::fromStdString(c);
        rows << new QTreeWidgetItem(columns);
    }
    lstDays->addTopLevelItems(rows);
    if (!rows.isEmpty()) lstDays->setCurrentItem(rows.front());
}

void frmFind::run(const std::function<void()>& handler) {
    runFindHandler(handler);
    lblMessage->setText(QString::fromStdString(findMessage));
    if (mainWindowTurned) mainWindowTurned();
}

void frmFind::cmdFind_Click() {
    run(tovmir::cmdFind_Click);
    showList();
    // Found days are the next thing to choose from: Enter shows the first, the
    // arrows move to the others. Without any, the phrase is the thing to change.
    if (lstDays->topLevelItemCount() > 0) lstDays->setFocus();
    else txtPhrase->setFocus();
}

void frmFind::lstDays_DblClick(int row) {
    run([row] { tovmir::lstDays_DblClick(row); });
}

void frmFind::cmdShow_Click() {
    const QModelIndex current = lstDays->currentIndex();
    if (current.isValid()) lstDays_DblClick(current.row());
}

void frmFind::cmdClose_Click() { close(); }

void frmFind::closeEvent(QCloseEvent* event) {
    if (focusDateField) focusDateField();
    event->accept();
}

}  // namespace tovmir
