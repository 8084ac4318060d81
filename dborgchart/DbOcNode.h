// TzqDbOcNode: the node of a data-bound org chart, standing for one record of its
// dataset. Besides the box it carries the record's key, the key of its parent record,
// its order among its siblings and the position of its record (the record index).
//
// The chart keeps these values in step with the records; they are read-only here. A
// caption longer than the bound caption field is cut to the field's size, and reading
// the node's attribute block from a stream writes the record once rather than once per
// attribute.
#pragma once

#include "dborgchart/OcCompactValue.h"
#include "dborgchart/OcRecordPositions.h"
#include "dborgchart/OcSiblingOrder.h"
#include "orgchart/OcNode.h"
#include "platform/data/Variant.h"

class TzqDbOrgChart;

class TzqDbOcNode : public TzqOcNode {
public:
    explicit TzqDbOcNode(TzqDbOrgChart* AChart);
    // A node freed directly is first deleted through the chart (as any node is), then
    // leaves the chart's key index.
    ~TzqDbOcNode() override;

    TzqDbOrgChart* DbChart() const;

    // Key value of the node's record; null until set.
    Variant Key() const { return m_key.Get(); }
    // Key of the parent record as last known; null for a top-level node.
    Variant ParentKey() const;
    // The order field's value, or the key when no order field is bound (0 for null).
    Variant OrderValue() const { return m_orderValue.Get(); }
    // Position of the node's record in the dataset's current order; -1 when the node
    // has no record.
    int RecordIndex() const;
    // The current load pass met the node's record.
    bool Loaded() const { return m_loaded; }

    // Cuts the caption to the size of the bound caption field before storing it.
    void SetText(const std::string& Value) override;
    // Reads the attribute block with write-back suspended, then writes the record once.
    void ReadData(TStream* Stream) override;

private:
    friend class TzqDbOrgChart;
    friend class TzqOcKeyIndex;
    friend class TzqOcBranchForest;
    friend class TzqOcUndoJournal;

    // The parent key is kept only where it says other than the node's place in the
    // chart (waiting for a parent, heading a cycle, left out); everywhere else it is
    // the parent's own key, which saves a value in every node.
    void SetParentKey(const Variant& Key);
    // The parent key the node's place in the chart gives: its parent's key, or null.
    Variant PlacedParentKey() const;
    void ParentChanged(TzqOcNode* OldParent) override;

    TzqOcCompactValue m_key;
    TzqOcCompactValue m_orderValue;
    TzqOcRecordPositions::Slot m_slot = TzqOcRecordPositions::kNoSlot;
    // What is known of the order of this node's children.
    TzqOcSiblingOrder m_childOrder;
    bool m_loaded : 1 = false;
    // Made or moved to the end of the top level while its parent record may still come
    // later in the load pass.
    bool m_staged : 1 = false;
    bool m_inKeyIndex : 1 = false;
    // The record of this node was deleted (or given up) by the deletion of its branch;
    // the chart's own deletion of the node writes nothing more.
    bool m_branchWritten : 1 = false;
    // The destructor runs: a failed write-back cannot stop the node from going.
    bool m_dying : 1 = false;
    // The parent key is held by the chart (see SetParentKey).
    bool m_strayParentKey : 1 = false;
};
