#include "mt02_05_worker.h"

#include "fastcorr_form.h"
#include "mops/aux_functions.h"
#include "mops/mt02_05.h"
#include "prns_form.h"
#include "text/number_text.h"
#include "ui_seam.h"

#include <algorithm>
#include <vector>

void TThread_MT2_5::Update()
{
    if (!prns_.MaskReceived())
        return;
    std::string text = text_;
    if (text.size() >= 3)
        text.erase(text.size() - 3); // the server's three-character trailer
    const int iodp = BitField(text, mt02_05::kIODP.start, mt02_05::kIODP.width) & 3;
    const FastCorrections prc = FastCorrectionVector(text);
    const UDREIVectors integrity = UDREIVector(text);

    std::vector<int> masked;
    for (int i = 0; i < kSlots; ++i)
        if (prns_.MaskBit(iodp, i))
            masked.push_back(i + 1);

    const std::string typeText = shown_.Number();
    const auto type = ParseInt32(typeText);
    if (!type) {
        ui_.MessageBox(nullptr, "firewall: exception while trying to convert Str->int. The String is: " +
                                    QString::fromStdString(typeText));
        return;
    }
    const int first = (*type - 2) * mt02_05::kCorrections; // MT 2 covers masked satellites 1-13, MT 3 14-26, ...
    const int covered = std::min(mt02_05::kCorrections, static_cast<int>(masked.size()) - first);
    for (int i = 0; i < covered; ++i) {
        const int row = first + i + 1;
        window_.ShowCorrection(row, masked[first + i], prc[i]);
        window_.ShowIntegrity(row, integrity.udrei[i], integrity.udre[i], integrity.variance[i]);
    }
}
