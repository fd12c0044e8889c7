#include "platform/fake/FakeInputSynthesizer.h"

bool FakeInputSynthesizer::postKeyStroke(int virtualKeyCode, unsigned long modifierFlags)
{
    m_keyStrokes.emplace_back(virtualKeyCode, modifierFlags);
    return true;
}
