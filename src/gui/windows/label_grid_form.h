#pragma once

#include "field_cells.h"

#include <functional>
#include <optional>
#include <utility>

class QLineEdit;

// Windows of one grid whose column 0 holds the field names and column 1 their values.
class TLabelGridForm : public TMessageWindow {
    Q_OBJECT
public:
    TLabelGridForm(const char *name, const QString &caption, const QStringList &labels, QWidget *parent);
};

class TFrmMT09 final : public TLabelGridForm {
    Q_OBJECT
public:
    // geoOfPort gives the GEO PRN and name of the current server port, if a GEO row names it.
    using GeoLookup = std::function<std::optional<std::pair<QString, QString>>()>;
    TFrmMT09(GeoLookup geoOfPort, QWidget *parent = nullptr);
    void FormShow() override;
    void Reset() override;

private:
    GeoLookup geoOfPort_;
    QLineEdit *GEO_prn, *GEO_name;
};

class TFrmMT10 final : public TLabelGridForm {
    Q_OBJECT
public:
    explicit TFrmMT10(QWidget *parent = nullptr);
};

class TFrmMT12 final : public TLabelGridForm {
    Q_OBJECT
public:
    explicit TFrmMT12(QWidget *parent = nullptr);
};
