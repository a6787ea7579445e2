#include "kelp_forge/graphics/kf_graphic_list.hpp"

#include "support/kf_error_recorder.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using KelpForge::Graphics::Color;
using KelpForge::Graphics::ColorPreset;
using KelpForge::Graphics::Graphic;
using KelpForge::Graphics::GraphicList;
using KelpForge::Testing::ErrorRecorder;

namespace
{

// Writes its name into a shared journal when updated and when destroyed, so that tests see the
// order of updates and exactly how often each child is deleted.
class JournalGraphic : public Graphic
{
public:
    JournalGraphic(std::vector<std::string>& journal, std::string name, float depth = 0.0f)
        : mJournal(journal), mName(std::move(name))
    {
        SetDepth(depth);
    }
    ~JournalGraphic() override { mJournal.push_back("deleted " + mName); }

protected:
    void OnUpdate(float /*deltaTime*/) override { mJournal.push_back(mName); }
    void OnRender() override {}

private:
    std::vector<std::string>& mJournal;
    std::string mName;
};

using Journal = std::vector<std::string>;

} // namespace

TEST(GraphicListTest, ChildrenRunInDepthOrderAndEqualDepthsInOrderOfAdding)
{
    Journal journal;
    GraphicList list;
    JournalGraphic depth0(journal, "0", 0.0f);
    JournalGraphic depth2(journal, "2", 2.0f);
    JournalGraphic depth1First(journal, "1 first", 1.0f);
    JournalGraphic depth1Second(journal, "1 second", 1.0f);
    list.AddGraphic(depth0);
    list.AddGraphic(depth2);
    list.AddGraphic(depth1First);
    list.AddGraphic(depth1Second);

    list.Update(0.01f);
    EXPECT_EQ(journal, (Journal{"0", "1 first", "1 second", "2"}));
    list.ClearGraphics();
}

TEST(GraphicListTest, ChangingADepthLaterDoesNotReorder)
{
    Journal journal;
    GraphicList list;
    JournalGraphic first(journal, "first", 0.0f);
    JournalGraphic second(journal, "second", 1.0f);
    list.AddGraphic(first);
    list.AddGraphic(second);
    first.SetDepth(5.0f);
    list.Update(0.01f);
    EXPECT_EQ(journal, (Journal{"first", "second"}));
    list.ClearGraphics();
}

TEST(GraphicListTest, RemovingAnOwnedChildDeletesItExactlyOnce)
{
    Journal journal;
    {
        GraphicList list;
        auto* const owned = new JournalGraphic(journal, "owned");
        list.AddGraphic(owned);
        list.RemoveGraphic(owned);
        EXPECT_EQ(journal, (Journal{"deleted owned"}));
        EXPECT_EQ(list.GetGraphicCount(), 0u);
        list.RemoveGraphic(owned);
        list.ClearGraphics();
    }
    EXPECT_EQ(journal, (Journal{"deleted owned"}));
}

TEST(GraphicListTest, RemovingAChildAddedByReferenceLeavesItAlive)
{
    Journal journal;
    JournalGraphic child(journal, "child");
    {
        GraphicList list;
        list.AddGraphic(child);
        list.RemoveGraphic(&child);
        EXPECT_EQ(list.GetGraphicCount(), 0u);
    }
    EXPECT_TRUE(journal.empty());
    child.Update(0.01f);
    EXPECT_EQ(journal, (Journal{"child"}));
}

TEST(GraphicListTest, ClearDeletesOwnedChildrenNewestFirstAndKeepsReferencedOnes)
{
    Journal journal;
    JournalGraphic referenced(journal, "referenced");
    GraphicList list;
    list.AddGraphic(new JournalGraphic(journal, "a"));
    list.AddGraphic(referenced);
    list.AddGraphic(new JournalGraphic(journal, "b"));
    list.AddGraphic(new JournalGraphic(journal, "c"));
    list.ClearGraphics();
    EXPECT_EQ(journal, (Journal{"deleted c", "deleted b", "deleted a"}));
    EXPECT_EQ(list.GetGraphicCount(), 0u);
    list.Update(0.01f);
    EXPECT_EQ(journal.size(), 3u);
}

TEST(GraphicListTest, DestroyingTheListDeletesItsOwnedChildren)
{
    Journal journal;
    {
        GraphicList list;
        list.AddGraphic(new JournalGraphic(journal, "a"));
        auto* const nested = new GraphicList();
        nested->AddGraphic(new JournalGraphic(journal, "nested"));
        list.AddGraphic(nested);
    }
    EXPECT_EQ(journal, (Journal{"deleted nested", "deleted a"}));
}

TEST(GraphicListTest, OwningTheSameChildTwiceIsRefused)
{
    ErrorRecorder recorder;
    Journal journal;
    {
        GraphicList list;
        auto* const child = new JournalGraphic(journal, "child");
        list.AddGraphic(child);
        list.AddGraphic(child);
        EXPECT_EQ(list.GetGraphicCount(), 1u);
    }
    EXPECT_EQ(journal, (Journal{"deleted child"}));
    EXPECT_EQ(recorder.Messages(),
              (std::vector<std::string>{"kfExternalError: Graphic is already owned by this GraphicList."}));
}

TEST(GraphicListTest, NullAndTheListItselfAreRefused)
{
    ErrorRecorder recorder;
    GraphicList list;
    list.AddGraphic(static_cast<Graphic*>(nullptr));
    list.AddGraphic(&list);
    list.AddGraphic(static_cast<Graphic&>(list));
    EXPECT_EQ(list.GetGraphicCount(), 0u);
    EXPECT_EQ(recorder.Messages(),
              (std::vector<std::string>{"kfExternalError: Expected graphic to be a valid pointer.",
                                        "kfExternalError: Cannot add a GraphicList to itself.",
                                        "kfExternalError: Cannot add a GraphicList to itself."}));
}

TEST(GraphicListTest, AnInactiveListStopsTheUpdatesOfActiveChildren)
{
    Journal journal;
    GraphicList list;
    JournalGraphic active(journal, "active");
    JournalGraphic inactive(journal, "inactive");
    inactive.SetActive(false);
    list.AddGraphic(active);
    list.AddGraphic(inactive);
    list.Update(0.01f);
    EXPECT_EQ(journal, (Journal{"active"}));
    list.SetActive(false);
    list.Update(0.01f);
    EXPECT_EQ(journal, (Journal{"active"}));
    list.ClearGraphics();
}

TEST(GraphicListTest, AChildMayRemoveItselfWhileTheListUpdates)
{
    // An update that removes graphics from the list it runs in must not read freed memory.
    class SelfRemovingGraphic : public Graphic
    {
    public:
        explicit SelfRemovingGraphic(GraphicList& parent) : mParent(parent) {}

    protected:
        void OnUpdate(float /*deltaTime*/) override { mParent.RemoveGraphic(this); }
        void OnRender() override {}

    private:
        GraphicList& mParent;
    };
    GraphicList list;
    list.AddGraphic(new SelfRemovingGraphic(list));
    list.AddGraphic(new SelfRemovingGraphic(list));
    list.Update(0.01f);
    list.Update(0.01f);
    EXPECT_EQ(list.GetGraphicCount(), 0u);
}

TEST(GraphicListTest, SetColorRecoloursEveryChildIncludingNestedLists)
{
    Journal journal;
    GraphicList list;
    auto* const nested = new GraphicList();
    auto* const deepChild = new JournalGraphic(journal, "deep");
    nested->AddGraphic(deepChild);
    JournalGraphic child(journal, "child");
    list.AddGraphic(nested);
    list.AddGraphic(child);

    list.SetColor(Color(ColorPreset::kCyan));
    EXPECT_EQ(list.GetColor().GetColorARGB(), 0xFF00FFFFu);
    EXPECT_EQ(nested->GetColor().GetColorARGB(), 0xFF00FFFFu);
    EXPECT_EQ(deepChild->GetColor().GetColorARGB(), 0xFF00FFFFu);
    EXPECT_EQ(child.GetColor().GetColorARGB(), 0xFF00FFFFu);
    list.ClearGraphics();
}
