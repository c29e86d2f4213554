// Checks over the forms of a built pack, in each of its four languages: every label's text fits its label on one
// line, and every hint a form can show (its own and its controls') fits the form's hint label; and every button's
// caption is a label over it, since a caption drawn into the button's picture cannot follow the language.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "GP_Font.h"
#include "GP_FontCache.h"
#include "GP_Form.h"
#include "GP_FormKinds.h"
#include "GP_Label.h"
#include "GP_ServerSet.h"
#include "GP_TextServer.h"

namespace formtexts {

using FormLoader = std::function<std::unique_ptr<CGP_Form>(std::uint32_t formID)>;

inline bool IsLabel(std::uint32_t kind)
{
    return kind == GP_KindLabel || kind == GP_KindKeyLabel || kind == GP_KindHintLabel;
}

inline void ExpectTextsFitTheirLabels(CGP_ServerSet& servers, CGP_NameServer& names,
                                      const std::vector<std::uint32_t>& formIDs, const FormLoader& load)
{
    CGP_FontCache fonts(&names, &servers);
    for (std::uint32_t language : {1049u, 1033u, 1036u, 1031u}) {
        servers.text->SetLanguage(language, true);
        for (std::uint32_t id : formIDs) {
            SCOPED_TRACE(testing::Message() << std::hex << "form " << id << std::dec << " language " << language);
            const auto form = load(id);
            std::vector<std::uint32_t> hints{form->Block<GP_ControlBlock>()->hintTextID};
            const CGP_Control* hintLabel = nullptr;
            for (std::size_t i = 0; i < form->ControlCount(); ++i) {
                CGP_Control* c = form->GetControl(i);
                hints.push_back(c->Block<GP_ControlBlock>()->hintTextID);
                const std::uint32_t kind = c->Block<GP_ObjectBlock>()->type;
                if (kind == GP_KindHintLabel) hintLabel = c;
                if (!IsLabel(kind)) continue;
                const auto* label = c->Block<GP_LabelBlock>();
                const CGP_Font* font = fonts.GetFont(label->fontID);
                ASSERT_NE(font, nullptr);
                const char* text = servers.text->GetText(label->textID);
                EXPECT_LE(font->lineHeight, label->height) << "element " << i;
                EXPECT_EQ(GP_CountLines(text), 1) << text;
                EXPECT_LE(font->MeasureLine(text, 0), label->width) << "element " << i << ": " << text;
            }
            if (!hintLabel) continue;
            const CGP_Font* font = fonts.GetFont(hintLabel->Block<GP_LabelBlock>()->fontID);
            for (std::uint32_t hint : hints) {
                const char* text = servers.text->GetText(hint);
                EXPECT_LE(font->MeasureLine(text, 0), hintLabel->Block<GP_LabelBlock>()->width) << text;
            }
        }
    }
}

// Every button lies under a label of its own place with a text, greyed by the button's own enable variable.
inline void ExpectEveryButtonCaptioned(const std::vector<std::uint32_t>& formIDs, const FormLoader& load)
{
    for (std::uint32_t id : formIDs) {
        const auto form = load(id);
        for (std::size_t i = 0; i < form->ControlCount(); ++i) {
            const auto* button = form->GetControl(i)->Block<GP_ControlBlock>();
            if (button->type != GP_KindButton) continue;
            bool captioned = false;
            for (std::size_t j = 0; j < form->ControlCount() && !captioned; ++j) {
                const auto* label = form->GetControl(j)->Block<GP_LabelBlock>();
                captioned = IsLabel(label->type) && label->textID != GP_NoID && label->x == button->x &&
                            label->y == button->y && label->width == button->width && label->height == button->height &&
                            label->enableVariableID == button->enableVariableID;
            }
            EXPECT_TRUE(captioned) << std::hex << "form " << id << std::dec << ": button " << i;
        }
    }
}

}  // namespace formtexts
