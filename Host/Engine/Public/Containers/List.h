// TDoubleLinkedList: doubly linked list with externally visible nodes.
#pragma once

#include "CoreTypes.h"

#include <utility>

template <class ElementType>
class TDoubleLinkedList
{
public:
	class TDoubleLinkedListNode
	{
	public:
		friend class TDoubleLinkedList;

		explicit TDoubleLinkedListNode(const ElementType& InValue) : Value(InValue) {}
		explicit TDoubleLinkedListNode(ElementType&& InValue) : Value(std::move(InValue)) {}

		const ElementType& GetValue() const { return Value; }
		ElementType& GetValue() { return Value; }
		TDoubleLinkedListNode* GetNextNode() const { return NextNode; }
		TDoubleLinkedListNode* GetPrevNode() const { return PrevNode; }

	protected:
		ElementType Value;
		TDoubleLinkedListNode* NextNode = nullptr;
		TDoubleLinkedListNode* PrevNode = nullptr;
	};

	// Range-for over the values.
	template <typename NodeType, typename ValueType>
	class TIteratorBase
	{
	public:
		explicit TIteratorBase(NodeType* StartingNode) : CurrentNode(StartingNode) {}
		explicit operator bool() const { return CurrentNode != nullptr; }
		TIteratorBase& operator++()
		{
			CurrentNode = CurrentNode->GetNextNode();
			return *this;
		}
		TIteratorBase& operator--()
		{
			CurrentNode = CurrentNode->GetPrevNode();
			return *this;
		}
		ValueType& operator*() const { return CurrentNode->GetValue(); }
		ValueType* operator->() const { return &CurrentNode->GetValue(); }
		NodeType* GetNode() const { return CurrentNode; }
		friend bool operator==(const TIteratorBase& A, const TIteratorBase& B) { return A.CurrentNode == B.CurrentNode; }

	private:
		NodeType* CurrentNode;
	};
	using TIterator = TIteratorBase<TDoubleLinkedListNode, ElementType>;
	using TConstIterator = TIteratorBase<const TDoubleLinkedListNode, const ElementType>;

	TDoubleLinkedList() = default;
	TDoubleLinkedList(const TDoubleLinkedList&) = delete;
	TDoubleLinkedList& operator=(const TDoubleLinkedList&) = delete;
	virtual ~TDoubleLinkedList() { Empty(); }

	bool AddHead(const ElementType& InElement) { return AddHead(new TDoubleLinkedListNode(InElement)); }
	bool AddHead(TDoubleLinkedListNode* NewNode)
	{
		if (NewNode == nullptr)
		{
			return false;
		}
		if (HeadNode != nullptr)
		{
			NewNode->NextNode = HeadNode;
			HeadNode->PrevNode = NewNode;
			HeadNode = NewNode;
		}
		else
		{
			HeadNode = TailNode = NewNode;
		}
		SetListSize(ListSize + 1);
		return true;
	}
	bool AddTail(const ElementType& InElement) { return AddTail(new TDoubleLinkedListNode(InElement)); }
	bool AddTail(TDoubleLinkedListNode* NewNode)
	{
		if (NewNode == nullptr)
		{
			return false;
		}
		if (TailNode != nullptr)
		{
			TailNode->NextNode = NewNode;
			NewNode->PrevNode = TailNode;
			TailNode = NewNode;
		}
		else
		{
			HeadNode = TailNode = NewNode;
		}
		SetListSize(ListSize + 1);
		return true;
	}
	// Inserts before NodeToInsertBefore (at the head when it is null).
	bool InsertNode(const ElementType& InElement, TDoubleLinkedListNode* NodeToInsertBefore = nullptr)
	{
		return InsertNode(new TDoubleLinkedListNode(InElement), NodeToInsertBefore);
	}
	bool InsertNode(TDoubleLinkedListNode* NewNode, TDoubleLinkedListNode* NodeToInsertBefore = nullptr)
	{
		if (NewNode == nullptr)
		{
			return false;
		}
		if (NodeToInsertBefore == nullptr || NodeToInsertBefore == HeadNode)
		{
			return AddHead(NewNode);
		}
		NewNode->PrevNode = NodeToInsertBefore->PrevNode;
		NewNode->NextNode = NodeToInsertBefore;
		NodeToInsertBefore->PrevNode->NextNode = NewNode;
		NodeToInsertBefore->PrevNode = NewNode;
		SetListSize(ListSize + 1);
		return true;
	}

	void RemoveNode(const ElementType& InElement)
	{
		if (TDoubleLinkedListNode* ExistingNode = FindNode(InElement))
		{
			RemoveNode(ExistingNode);
		}
	}
	void RemoveNode(TDoubleLinkedListNode* NodeToRemove, bool bDeleteNode = true)
	{
		if (NodeToRemove == nullptr)
		{
			return;
		}
		if (Num() == 1)
		{
			HeadNode = TailNode = nullptr;
		}
		else if (NodeToRemove == HeadNode)
		{
			HeadNode = HeadNode->NextNode;
			HeadNode->PrevNode = nullptr;
		}
		else if (NodeToRemove == TailNode)
		{
			TailNode = TailNode->PrevNode;
			TailNode->NextNode = nullptr;
		}
		else
		{
			NodeToRemove->NextNode->PrevNode = NodeToRemove->PrevNode;
			NodeToRemove->PrevNode->NextNode = NodeToRemove->NextNode;
		}
		if (bDeleteNode)
		{
			delete NodeToRemove;
		}
		else
		{
			NodeToRemove->NextNode = NodeToRemove->PrevNode = nullptr;
		}
		SetListSize(ListSize - 1);
	}
	void Empty()
	{
		while (HeadNode != nullptr)
		{
			TDoubleLinkedListNode* Node = HeadNode;
			HeadNode = HeadNode->NextNode;
			delete Node;
		}
		HeadNode = TailNode = nullptr;
		SetListSize(0);
	}

	TDoubleLinkedListNode* FindNode(const ElementType& InElement) const
	{
		for (TDoubleLinkedListNode* Node = HeadNode; Node != nullptr; Node = Node->NextNode)
		{
			if (Node->GetValue() == InElement)
			{
				return Node;
			}
		}
		return nullptr;
	}
	bool Contains(const ElementType& InElement) const { return FindNode(InElement) != nullptr; }

	TDoubleLinkedListNode* GetHead() const { return HeadNode; }
	TDoubleLinkedListNode* GetTail() const { return TailNode; }
	int32 Num() const { return ListSize; }
	bool IsEmpty() const { return ListSize == 0; }

	TIterator begin() { return TIterator(HeadNode); }
	TIterator end() { return TIterator(nullptr); }
	TConstIterator begin() const { return TConstIterator(HeadNode); }
	TConstIterator end() const { return TConstIterator(nullptr); }

protected:
	// Hook for subclasses to observe additions and removals.
	virtual void SetListSize(int32 NewListSize) { ListSize = NewListSize; }

private:
	TDoubleLinkedListNode* HeadNode = nullptr;
	TDoubleLinkedListNode* TailNode = nullptr;
	int32 ListSize = 0;
};
