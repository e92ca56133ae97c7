#include "mt02_05_worker.h"

#include "fastcorr_form.h"
#include "mops/mt02_05.h"
#include "prns_form.h"
#include "ui_seam.h"

void TThread_MT2_5::Take(const TMOPSMsg &message, const ShownType &shown)
{
    message_ = &message;
    shown_ = shown;
}

void TThread_MT2_5::Update()
{
    if (!message_ || !prns_.MaskReceived())
        return;
    const mt02_05::Reading r = mt02_05::Read(*message_);
    // The mask of the IODP the message carries, not the current one.
    const MaskSlots &masked = prns_.MaskedSlots(r.iodp);
    const std::optional<int32_t> type = shown_.NumberValue();
    if (!type) {
        ui_.MessageBox(nullptr, "firewall: exception while trying to convert Str->int. The String is: " +
                                    QString::fromStdString(shown_.Number()));
        return;
    }
    const mt02_05::Covered covered = mt02_05::CoveredBy(*type, masked.count);
    for (int i = 0; i < covered.count; ++i) {
        const int row = covered.first + i + 1;
        window_.ShowCorrection(row, masked.slot[static_cast<std::size_t>(covered.first + i)], r.prc[static_cast<std::size_t>(i)]);
        window_.ShowIntegrity(row, r.udrei[static_cast<std::size_t>(i)], r.Udre(i), r.Variance(i));
    }
}
