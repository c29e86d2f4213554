#include "FakeImageModel.h"

namespace {
void DeclareSequence(ClassInfo* record)
{
    record->AddProperty(new IntegerPropertyInfo("Frames", Member<&CTestSequence::m_frames>()));
}
}  // namespace

IMPLEMENT_PERSISTENT_CLASS(CTestSequence, CObject, 1.0f, DeclareSequence)
IMPLEMENT_PERSISTENT_CLASS(CTestFrame, CObject, 1.0f, nullptr)
IMPLEMENT_PERSISTENT_CLASS(CTestStandAloneFrame, CTestFrame, 1.0f, nullptr)
