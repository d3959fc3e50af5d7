#include "checks.h"

void CheckCd(const CdFolder &cd, Findings &findings) {
    CdFacts facts;
    CheckSettings(cd, facts, findings);
    CheckMarker(cd, facts, findings);
    CheckScript(cd, facts, findings);
    CheckSpace(facts, findings);
    CheckCatalogs(cd, facts, findings);
    CheckBitmap(cd, findings);
    CheckDisc(cd, findings);
}
