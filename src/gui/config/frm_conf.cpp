#include "frm_conf.h"

#include "config_warning.h"
#include "ip_edit.h"
#include "num_edit.h"
#include "ui_seam.h"

#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// Without the "The" of the main window's text: the two texts differ on purpose.
const char kLoadWarning[] =
    "An error was found when trying to load the configuration from disk. Default settings will be used.";

template <typename Edit>
Edit *NamedEdit(QWidget *parent, const char *name, const QString &label)
{
    auto *e = new Edit(parent);
    e->setObjectName(name);
    e->setAccessibleName(label.trimmed());
    return e;
}

bool IsDigitOrBackspace(QChar key)
{
    return (key >= QChar('0') && key <= QChar('9')) || key == QChar('\b');
}

} // namespace

TFrmConf::TFrmConf(UiSeam &ui, QWidget *parent) : QDialog(parent), ui_(ui)
{
    setObjectName("FrmConf");
    setWindowTitle("VELMAR User Application Settings");
    setModal(true);
    Config.FileName = (QDir::currentPath() + QDir::separator() + "userapp.cfg").toStdString();

    PageControl = new QTabWidget(this);
    PageControl->setObjectName("PageControl");

    // Connection, with the client port and the request method kept but not offered.
    auto *connection = new QWidget;
    connection->setObjectName("TabConnection");
    auto *connForm = new QFormLayout(connection);
    IPServer = NamedEdit<TIPEdit>(connection, "IPServer", "IP address:");
    PortServer = NamedEdit<TNumEdit>(connection, "PortServer", "Listens to port:");
    PortServer->ValidMode = TNumEdit::vmGTZero;
    connForm->addRow("IP address:", IPServer);
    connForm->addRow("Listens to port:", PortServer);
    auto *method = new QGroupBox("Message Request Method", connection);
    method->setObjectName("MsgReqMeth");
    MsgReqMethPoll = new QRadioButton("Poll", method);
    MsgReqMethPoll->setObjectName("MsgReqMethPoll");
    MsgReqMethSubscr = new QRadioButton("Subscribe", method);
    MsgReqMethSubscr->setObjectName("MsgReqMethSubscr");
    auto *methodRow = new QHBoxLayout(method);
    methodRow->addWidget(MsgReqMethPoll);
    methodRow->addWidget(MsgReqMethSubscr);
    connForm->addRow(method);
    method->hide();
    auto *client = new QGroupBox("DU2RO Client", connection);
    client->setObjectName("DU2ROClient");
    auto *clientForm = new QFormLayout(client);
    PortClient = NamedEdit<TNumEdit>(client, "PortClient", "Listens to port:");
    PortClient->ValidMode = TNumEdit::vmGTZero;
    VelmarGpsDir = NamedEdit<QLineEdit>(client, "VelmarGpsDir", "Reserved Field");
    clientForm->addRow("Listens to port:", PortClient);
    clientForm->addRow("Reserved Field", VelmarGpsDir);
    connForm->addRow(client);
    client->hide();
    PageControl->addTab(connection, "Connection");

    // Output to File: logging now chooses its own file, so the page is kept but not offered.
    auto *output = new QWidget;
    output->setObjectName("TabOutput");
    auto *outForm = new QFormLayout(output);
    ESPDir = NamedEdit<QLineEdit>(output, "ESPDir", "Output file:");
    auto *browse = new QPushButton("...", output);
    browse->setObjectName("BrowseBtn");
    browse->setAccessibleName("Browse");
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString name = QFileDialog::getSaveFileName(this, "Output file", ESPDir->text());
        if (!name.isEmpty())
            ESPDir->setText(name);
    });
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(ESPDir);
    fileRow->addWidget(browse);
    outForm->addRow("Output file:", fileRow);
    BufLen = NamedEdit<QLineEdit>(output, "BufLen", "Output buffer length: ");
    BufLen->setMaxLength(2);
    BufPer = NamedEdit<QLineEdit>(output, "BufPer", "Write buffer each ");
    auto minutes = [output](QLineEdit *edit) {
        auto *row = new QHBoxLayout;
        row->addWidget(edit);
        row->addWidget(new QLabel("minutes", output));
        return row;
    };
    outForm->addRow("Output buffer length: ", minutes(BufLen));
    outForm->addRow("Write buffer each ", minutes(BufPer));
    const int outputPage = PageControl->addTab(output, "Output to File");
    PageControl->setTabVisible(outputPage, false);
    PageControl->setTabEnabled(outputPage, false);

    auto *general = new QWidget;
    general->setObjectName("TabGeneral");
    auto *generalRow = new QHBoxLayout(general);
    NoSISMargin = NamedEdit<QLineEdit>(general, "NoSISMargin", "Declare \"No SIS detected\" after");
    generalRow->addWidget(new QLabel("Declare \"No SIS detected\" after", general));
    generalRow->addWidget(NoSISMargin);
    generalRow->addWidget(new QLabel("seconds without new incoming data", general));
    PageControl->addTab(general, "General");

    auto *geoPage = new QWidget;
    geoPage->setObjectName("TabGEO");
    GEOtable = new QTableWidget(GeoTable::kRows + 1, 4, geoPage);
    GEOtable->setObjectName("GEOtable");
    GEOtable->setAccessibleName("GEO to Velmar");
    GEOtable->horizontalHeader()->hide();
    GEOtable->verticalHeader()->hide();
    const int widths[] = {64, 116, 133, 65};
    for (int c = 0; c < 4; ++c) {
        GEOtable->setColumnWidth(c, widths[c]);
        for (int r = 0; r <= GeoTable::kRows; ++r)
            GEOtable->setItem(r, c, new QTableWidgetItem);
        // The first row is the header: shown, never edited.
        QTableWidgetItem *head = GEOtable->item(0, c);
        head->setFlags(Qt::ItemIsEnabled);
        head->setBackground(palette().button());
    }
    auto *geoLayout = new QVBoxLayout(geoPage);
    geoLayout->addWidget(GEOtable);
    PageControl->addTab(geoPage, "GEO to Velmar");

    BitBtn1 = new QPushButton("OK", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setAccessibleName("OK");
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton("Cancel", this);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn2->setAccessibleName("Cancel");
    connect(BitBtn1, &QPushButton::clicked, this, &TFrmConf::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    GEOtable->setMinimumWidth(64 + 116 + 133 + 65 + 4);

    for (QLineEdit *e : {NoSISMargin, BufLen, BufPer})
        e->installEventFilter(this);
    // The defaults, the GEO table headed, so a dialog opened before any file exists shows them too.
    Show(Settings());
}

bool TFrmConf::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *edit = static_cast<QLineEdit *>(watched);
        auto *key = static_cast<QKeyEvent *>(event);
        const bool pass = FilteredKeyPress(*edit, key, [&](QChar &c) {
            if (watched == NoSISMargin)
                NoSISMarginKeyPress(watched, c);
            else
                BufLenKeyPress(watched, c);
        });
        if (!pass)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFrmConf::NoSISMarginKeyPress(QObject *, QChar &key) const
{
    if (!IsDigitOrBackspace(key))
        key = QChar();
}

void TFrmConf::BufLenKeyPress(QObject *, QChar &key) const
{
    if (!IsDigitOrBackspace(key))
        key = QChar();
}

QString TFrmConf::CellText(int row, int column) const
{
    return GEOtable->item(row, column)->text();
}

void TFrmConf::FormShow()
{
    Settings settings = Shown();
    const bool loaded = settings.Load(Config); // keys after a failure keep what the controls held
    Show(settings);
    if (!loaded) {
        TConfigWarning warning(this);
        warning.SetText(kLoadWarning);
        ui_.Exec(warning);
    }
}

void TFrmConf::BitBtn1Click()
{
    struct Check {
        bool passed;
        const char *message;
    } const checks[] = {
        // Hidden fields are checked too, so a bad one in the file fails every OK: kept on purpose.
        {IPServer->Validate(), "The RUD2AZ server must be identified by a correct IP address."},
        {PortServer->Validate(), "RUD2AZ Server port is not correct."},
        {PortClient->Validate(), "RUD2AZ Client port is not correct."},
        {!NoSISMargin->text().isEmpty(), "No-SIS detection time must be introduced"},
        {!BufLen->text().isEmpty(), "Output buffer length must be introduced"},
        {!BufPer->text().isEmpty(), "Buffer writing interval must be introduced"},
    };
    for (const Check &check : checks) {
        if (!check.passed) {
            TConfigWarning warning(this);
            warning.SetText(check.message);
            ui_.Exec(warning);
            return;
        }
    }
    try {
        Shown().Save(Config);
    } catch (const std::exception &) {
        TConfigWarning warning(this); // its own text tells of a write failure
        ui_.Exec(warning);
        return;
    }
    accept();
}

GeoTable TFrmConf::Table() const
{
    GeoTable table;
    for (int row = 1; row <= GeoTable::kRows; ++row) {
        // A typed line break would break the file's line pairs; it splits cells on reading anyway.
        auto cell = [this, row](int c) { return CellText(row, c).replace('\n', ';').replace('\r', ';').toStdString(); };
        table.Row(row) = {cell(0), cell(1), cell(2), cell(3)};
    }
    for (int c = 0; c < 4; ++c)
        table.header[c] = CellText(0, c).toStdString();
    return table;
}

Settings TFrmConf::Shown() const
{
    Settings s;
    s.ipServer = IPServer->text().toStdString();
    s.portClient = PortClient->text().toStdString();
    s.portServer = PortServer->text().toStdString();
    s.subscribe = MsgReqMethSubscr->isChecked();
    s.velmarGpsDir = VelmarGpsDir->text().toStdString();
    s.espDir = ESPDir->text().toStdString();
    s.noSisMargin = NoSISMargin->text().toStdString();
    s.bufLen = BufLen->text().toStdString();
    s.bufPer = BufPer->text().toStdString();
    s.geo = Table();
    return s;
}

void TFrmConf::Show(const Settings &s)
{
    const auto text = [](const std::string &value) { return QString::fromStdString(value); };
    IPServer->setText(text(s.ipServer));
    PortClient->setText(text(s.portClient));
    PortServer->setText(text(s.portServer));
    (s.subscribe ? MsgReqMethSubscr : MsgReqMethPoll)->setChecked(true);
    VelmarGpsDir->setText(text(s.velmarGpsDir));
    ESPDir->setText(text(s.espDir));
    NoSISMargin->setText(text(s.noSisMargin));
    BufLen->setText(text(s.bufLen));
    BufPer->setText(text(s.bufPer));
    for (int row = 1; row <= GeoTable::kRows; ++row) {
        const GeoRow &r = s.geo.Row(row);
        const std::string cells[] = {r.prn, r.name, r.system, r.port};
        for (int c = 0; c < 4; ++c)
            GEOtable->item(row, c)->setText(text(cells[c]));
    }
    for (int c = 0; c < 4; ++c)
        GEOtable->item(0, c)->setText(text(s.geo.header[static_cast<std::size_t>(c)]));
}
