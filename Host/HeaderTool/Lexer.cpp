#include "Lexer.h"

#include <cctype>
#include <cstdint>

namespace zht
{
namespace
{

bool IsIdentStart(char C) { return std::isalpha(static_cast<unsigned char>(C)) || C == '_'; }
bool IsIdentChar(char C) { return std::isalnum(static_cast<unsigned char>(C)) || C == '_'; }

std::string Trim(const std::string& S)
{
	size_t B = 0, E = S.size();
	while (B < E && std::isspace(static_cast<unsigned char>(S[B])))
		++B;
	while (E > B && std::isspace(static_cast<unsigned char>(S[E - 1])))
		--E;
	return S.substr(B, E - B);
}

void AppendUtf8(std::string& Out, uint32_t Cp)
{
	if (Cp < 0x80)
		Out += static_cast<char>(Cp);
	else if (Cp < 0x800)
	{
		Out += static_cast<char>(0xC0 | (Cp >> 6));
		Out += static_cast<char>(0x80 | (Cp & 0x3F));
	}
	else if (Cp < 0x10000)
	{
		Out += static_cast<char>(0xE0 | (Cp >> 12));
		Out += static_cast<char>(0x80 | ((Cp >> 6) & 0x3F));
		Out += static_cast<char>(0x80 | (Cp & 0x3F));
	}
	else
	{
		Out += static_cast<char>(0xF0 | (Cp >> 18));
		Out += static_cast<char>(0x80 | ((Cp >> 12) & 0x3F));
		Out += static_cast<char>(0x80 | ((Cp >> 6) & 0x3F));
		Out += static_cast<char>(0x80 | (Cp & 0x3F));
	}
}

// Tri-state result of a preprocessor condition: the host defines WITH_EDITOR, WITH_EDITORONLY_DATA
// and CPP as 1; anything else is unknown and both branches stay live.
enum class Tri
{
	False,
	True,
	Unknown
};

class CondEval
{
public:
	explicit CondEval(const std::string& S) : Src(S) {}
	Tri Run()
	{
		Tri R = Or();
		SkipWs();
		return P < Src.size() ? Tri::Unknown : R;
	}

private:
	const std::string& Src;
	size_t P = 0;

	void SkipWs()
	{
		while (P < Src.size() && std::isspace(static_cast<unsigned char>(Src[P])))
			++P;
	}
	bool Eat(const char* Op)
	{
		SkipWs();
		size_t N = std::char_traits<char>::length(Op);
		if (Src.compare(P, N, Op) == 0)
		{
			P += N;
			return true;
		}
		return false;
	}
	static Tri Known(const std::string& Name)
	{
		if (Name == "WITH_EDITOR" || Name == "WITH_EDITORONLY_DATA" || Name == "CPP")
			return Tri::True;
		return Tri::Unknown;
	}
	Tri Or()
	{
		Tri L = And();
		while (Eat("||"))
		{
			Tri R = And();
			L = (L == Tri::True || R == Tri::True) ? Tri::True
				: (L == Tri::False && R == Tri::False) ? Tri::False : Tri::Unknown;
		}
		return L;
	}
	Tri And()
	{
		Tri L = Unary();
		while (Eat("&&"))
		{
			Tri R = Unary();
			L = (L == Tri::False || R == Tri::False) ? Tri::False
				: (L == Tri::True && R == Tri::True) ? Tri::True : Tri::Unknown;
		}
		return L;
	}
	Tri Unary()
	{
		SkipWs();
		if (P < Src.size() && Src[P] == '!' && (P + 1 >= Src.size() || Src[P + 1] != '='))
		{
			++P;
			Tri V = Unary();
			return V == Tri::Unknown ? V : (V == Tri::True ? Tri::False : Tri::True);
		}
		Tri V = Primary();
		// Comparisons are not evaluated.
		SkipWs();
		if (P < Src.size() && (Src[P] == '=' || Src[P] == '<' || Src[P] == '>' || Src[P] == '!'))
		{
			while (P < Src.size() && (Src[P] == '=' || Src[P] == '<' || Src[P] == '>' || Src[P] == '!'))
				++P;
			Primary();
			return Tri::Unknown;
		}
		return V;
	}
	Tri Primary()
	{
		SkipWs();
		if (P >= Src.size())
			return Tri::Unknown;
		if (Src[P] == '(')
		{
			++P;
			Tri V = Or();
			Eat(")");
			return V;
		}
		if (std::isdigit(static_cast<unsigned char>(Src[P])))
		{
			size_t B = P;
			while (P < Src.size() && IsIdentChar(Src[P]))
				++P;
			std::string Num = Src.substr(B, P - B);
			return Num.find_first_not_of("0xXuUlL") == std::string::npos ? Tri::False : Tri::True;
		}
		if (IsIdentStart(Src[P]))
		{
			size_t B = P;
			while (P < Src.size() && IsIdentChar(Src[P]))
				++P;
			std::string Name = Src.substr(B, P - B);
			if (Name == "defined")
			{
				bool Paren = Eat("(");
				SkipWs();
				size_t B2 = P;
				while (P < Src.size() && IsIdentChar(Src[P]))
					++P;
				std::string Macro = Src.substr(B2, P - B2);
				if (Paren)
					Eat(")");
				return Known(Macro);
			}
			if (P < Src.size() && Src[P] == '(')
			{
				// Function-like macro call: skip its arguments.
				int Depth = 0;
				do
				{
					if (Src[P] == '(')
						++Depth;
					else if (Src[P] == ')')
						--Depth;
					++P;
				} while (P < Src.size() && Depth > 0);
				return Tri::Unknown;
			}
			return Known(Name);
		}
		++P;
		return Tri::Unknown;
	}
};

struct CondFrame
{
	bool ParentActive = true;
	bool Active = true;
	bool AnyTaken = false;
	int Kind = 0; // 1 = WITH_EDITORONLY_DATA, 2 = WITH_EDITOR
	int Line = 0;
};

class Lexer
{
public:
	Lexer(LexedFile& InOut) : Out(InOut), S(InOut.Source) {}

	void Run()
	{
		while (P < S.size())
		{
			char C = S[P];
			if (C == '\n')
			{
				++Line;
				++P;
				AtLineStart = true;
				continue;
			}
			if (C == ' ' || C == '\t' || C == '\r' || C == '\f' || C == '\v')
			{
				++P;
				continue;
			}
			if (C == '\\' && LineContinuation())
				continue;
			if (C == '/' && Next(1) == '/')
			{
				LineComment();
				continue;
			}
			if (C == '/' && Next(1) == '*')
			{
				BlockComment();
				continue;
			}
			if (C == '#' && AtLineStart)
			{
				Directive();
				continue;
			}
			AtLineStart = false;
			if (!Active())
			{
				// Dead branch: skip to the end of the line; comments and directives still matter.
				while (P < S.size() && S[P] != '\n' && !(S[P] == '/' && (Next(1) == '*' || Next(1) == '/')))
					++P;
				continue;
			}
			LexToken();
		}
		if (!Conds.empty())
			Fail(Conds.back().Line, "unterminated #if (missing #endif)");
		Token EndTok;
		EndTok.Kind = TokKind::End;
		EndTok.Line = Line;
		EndTok.Begin = EndTok.End = S.size();
		Out.Tokens.push_back(EndTok);
	}

private:
	LexedFile& Out;
	const std::string& S;
	size_t P = 0;
	int Line = 1;
	bool AtLineStart = true;
	std::vector<CondFrame> Conds;

	std::string Pending;
	bool HasPending = false;
	bool PendingIsLineRun = false;
	int PendingLastLine = 0;
	int LastTokenLine = 0;

	[[noreturn]] void Fail(int AtLine, const std::string& Msg) { throw ToolError(Out.Path, AtLine, Msg); }

	char Next(size_t N) const { return P + N < S.size() ? S[P + N] : '\0'; }

	bool Active() const { return Conds.empty() || Conds.back().Active; }

	bool LineContinuation()
	{
		if (Next(1) == '\n')
		{
			P += 2;
			++Line;
			return true;
		}
		if (Next(1) == '\r' && Next(2) == '\n')
		{
			P += 3;
			++Line;
			return true;
		}
		return false;
	}

	void LineComment()
	{
		size_t B = P;
		while (P < S.size() && S[P] != '\n')
			++P;
		if (!Active())
			return;
		std::string Text = S.substr(B, P - B);
		if (!Text.empty() && Text.back() == '\r')
			Text.pop_back();
		if (Text.compare(0, 3, "//~") == 0)
		{
			HasPending = false; // section markers, never documentation
			return;
		}
		if (LastTokenLine == Line)
			return; // trailing comment belongs to the code before it
		if (HasPending && PendingIsLineRun && PendingLastLine == Line - 1)
			Pending += "\n" + Text;
		else
			Pending = Text;
		HasPending = true;
		PendingIsLineRun = true;
		PendingLastLine = Line;
	}

	void BlockComment()
	{
		int StartLine = Line;
		size_t B = P;
		P += 2;
		while (P < S.size() && !(S[P] == '*' && Next(1) == '/'))
		{
			if (S[P] == '\n')
				++Line;
			++P;
		}
		if (P >= S.size())
			Fail(StartLine, "unterminated /* comment");
		P += 2;
		if (!Active() || LastTokenLine == StartLine)
			return;
		Pending = S.substr(B, P - B);
		HasPending = true;
		PendingIsLineRun = false;
		PendingLastLine = Line;
	}

	// Reads one logical preprocessor line (with continuations), comments removed.
	std::string ReadDirectiveLine()
	{
		std::string Text;
		while (P < S.size())
		{
			char C = S[P];
			if (C == '\\' && (Next(1) == '\n' || (Next(1) == '\r' && Next(2) == '\n')))
			{
				LineContinuation();
				Text += ' ';
				continue;
			}
			if (C == '\n')
				break;
			if (C == '/' && Next(1) == '/')
			{
				while (P < S.size() && S[P] != '\n')
					++P;
				break;
			}
			if (C == '/' && Next(1) == '*')
			{
				P += 2;
				while (P < S.size() && !(S[P] == '*' && Next(1) == '/'))
				{
					if (S[P] == '\n')
						++Line;
					++P;
				}
				P += 2;
				Text += ' ';
				continue;
			}
			if (C == '"')
			{
				Text += C;
				++P;
				while (P < S.size() && S[P] != '"' && S[P] != '\n')
				{
					if (S[P] == '\\' && P + 1 < S.size())
						Text += S[P++];
					Text += S[P++];
				}
				if (P < S.size() && S[P] == '"')
					Text += S[P++];
				continue;
			}
			Text += C;
			++P;
		}
		return Text;
	}

	void Directive()
	{
		int DirLine = Line;
		++P; // '#'
		std::string Text = ReadDirectiveLine();
		size_t K = 0;
		while (K < Text.size() && std::isspace(static_cast<unsigned char>(Text[K])))
			++K;
		size_t NB = K;
		while (K < Text.size() && IsIdentChar(Text[K]))
			++K;
		std::string Name = Text.substr(NB, K - NB);
		std::string Rest = Trim(Text.substr(K));

		if (Name == "if" || Name == "ifdef" || Name == "ifndef")
		{
			CondFrame F;
			F.Line = DirLine;
			F.ParentActive = Active();
			Tri R;
			if (Name == "if")
				R = CondEval(Rest).Run();
			else
			{
				std::string Macro = Rest.substr(0, Rest.find_first_of(" \t"));
				bool Known = Macro == "WITH_EDITOR" || Macro == "WITH_EDITORONLY_DATA" || Macro == "CPP";
				R = !Known ? Tri::Unknown : (Name == "ifdef" ? Tri::True : Tri::False);
			}
			F.Active = F.ParentActive && R != Tri::False;
			F.AnyTaken = R == Tri::True;
			if (F.Active && Name == "if" && Rest.find('!') == std::string::npos)
			{
				if (Rest.find("WITH_EDITORONLY_DATA") != std::string::npos)
					F.Kind = 1;
				else if (Rest.find("WITH_EDITOR") != std::string::npos)
					F.Kind = 2;
			}
			Conds.push_back(F);
		}
		else if (Name == "elif" || Name == "else")
		{
			if (Conds.empty())
				Fail(DirLine, "#" + Name + " without #if");
			CondFrame& F = Conds.back();
			F.Kind = 0;
			if (Name == "else")
				F.Active = F.ParentActive && !F.AnyTaken;
			else
			{
				Tri R = CondEval(Rest).Run();
				F.Active = F.ParentActive && !F.AnyTaken && R != Tri::False;
				F.AnyTaken = F.AnyTaken || R == Tri::True;
			}
		}
		else if (Name == "endif")
		{
			if (Conds.empty())
				Fail(DirLine, "#endif without #if");
			Conds.pop_back();
		}
		else if (Active())
		{
			if (Name == "include")
			{
				IncludeDirective Inc;
				Inc.Line = DirLine;
				if (!Rest.empty() && (Rest[0] == '"' || Rest[0] == '<'))
				{
					char Close = Rest[0] == '"' ? '"' : '>';
					size_t E = Rest.find(Close, 1);
					if (E == std::string::npos)
						Fail(DirLine, "malformed #include");
					Inc.Target = Rest.substr(1, E - 1);
				}
				else
					Inc.Target = Rest;
				Out.Includes.push_back(Inc);
			}
			HasPending = false; // a comment above #include/#define/#pragma documents that, not the next declaration
		}
		AtLineStart = true;
	}

	void Emit(Token T)
	{
		T.Line = T.Line ? T.Line : Line;
		if (HasPending)
		{
			T.HasDoc = true;
			T.Doc = CleanDocComment(Pending);
			HasPending = false;
		}
		for (const CondFrame& F : Conds)
		{
			T.EditorOnlyData = T.EditorOnlyData || F.Kind == 1;
			T.WithEditor = T.WithEditor || F.Kind == 2;
		}
		LastTokenLine = Line;
		Out.Tokens.push_back(std::move(T));
	}

	void LexToken()
	{
		Token T;
		T.Line = Line;
		T.Begin = P;
		char C = S[P];
		if (IsIdentStart(C))
		{
			while (P < S.size() && IsIdentChar(S[P]))
				++P;
			std::string Id = S.substr(T.Begin, P - T.Begin);
			bool StrPrefix = Id == "u8" || Id == "u" || Id == "U" || Id == "L";
			bool RawPrefix = Id == "R" || Id == "u8R" || Id == "uR" || Id == "UR" || Id == "LR";
			if (P < S.size() && S[P] == '"' && (StrPrefix || RawPrefix))
			{
				if (RawPrefix)
					RawString(T);
				else
					QuotedLiteral(T, '"');
				return;
			}
			if (P < S.size() && S[P] == '\'' && StrPrefix)
			{
				QuotedLiteral(T, '\'');
				return;
			}
			T.Kind = TokKind::Ident;
			T.Text = Id;
		}
		else if (std::isdigit(static_cast<unsigned char>(C)) || (C == '.' && std::isdigit(static_cast<unsigned char>(Next(1)))))
		{
			while (P < S.size())
			{
				char D = S[P];
				if ((D == '+' || D == '-') && (S[P - 1] == 'e' || S[P - 1] == 'E' || S[P - 1] == 'p' || S[P - 1] == 'P')
					&& S.compare(T.Begin, 2, "0x") != 0 && S.compare(T.Begin, 2, "0X") != 0)
					++P;
				else if (IsIdentChar(D) || D == '.')
					++P;
				else if (D == '\'' && IsIdentChar(Next(1)))
					++P;
				else
					break;
			}
			T.Kind = TokKind::Number;
			T.Text = S.substr(T.Begin, P - T.Begin);
		}
		else if (C == '"' || C == '\'')
		{
			QuotedLiteral(T, C);
			return;
		}
		else
		{
			T.Kind = TokKind::Punct;
			if (C == ':' && Next(1) == ':')
				P += 2;
			else if (C == '.' && Next(1) == '.' && Next(2) == '.')
				P += 3;
			else
				++P;
			T.Text = S.substr(T.Begin, P - T.Begin);
		}
		T.End = P;
		Emit(std::move(T));
	}

	void QuotedLiteral(Token& T, char Quote)
	{
		int StartLine = Line;
		++P; // opening quote
		std::string Value;
		while (true)
		{
			if (P >= S.size() || S[P] == '\n')
				Fail(StartLine, Quote == '"' ? "unterminated string literal" : "unterminated character literal");
			char C = S[P];
			if (C == Quote)
			{
				++P;
				break;
			}
			if (C != '\\')
			{
				Value += C;
				++P;
				continue;
			}
			++P;
			if (P >= S.size())
				Fail(StartLine, "unterminated string literal");
			char E = S[P++];
			switch (E)
			{
			case 'n': Value += '\n'; break;
			case 't': Value += '\t'; break;
			case 'r': Value += '\r'; break;
			case 'a': Value += '\a'; break;
			case 'b': Value += '\b'; break;
			case 'f': Value += '\f'; break;
			case 'v': Value += '\v'; break;
			case '\\': Value += '\\'; break;
			case '"': Value += '"'; break;
			case '\'': Value += '\''; break;
			case '?': Value += '?'; break;
			case '\n': ++Line; break; // continuation inside a literal
			case 'x':
			{
				uint32_t V = 0;
				while (P < S.size() && std::isxdigit(static_cast<unsigned char>(S[P])))
					V = V * 16 + static_cast<uint32_t>(std::isdigit(static_cast<unsigned char>(S[P])) ? S[P] - '0' : (std::tolower(S[P]) - 'a' + 10)), ++P;
				AppendUtf8(Value, V);
				break;
			}
			case 'u':
			case 'U':
			{
				int N = E == 'u' ? 4 : 8;
				uint32_t V = 0;
				for (int K = 0; K < N; ++K)
				{
					if (P >= S.size() || !std::isxdigit(static_cast<unsigned char>(S[P])))
						Fail(StartLine, "malformed universal character name");
					V = V * 16 + static_cast<uint32_t>(std::isdigit(static_cast<unsigned char>(S[P])) ? S[P] - '0' : (std::tolower(S[P]) - 'a' + 10));
					++P;
				}
				AppendUtf8(Value, V);
				break;
			}
			default:
				if (E >= '0' && E <= '7')
				{
					uint32_t V = static_cast<uint32_t>(E - '0');
					for (int K = 0; K < 2 && P < S.size() && S[P] >= '0' && S[P] <= '7'; ++K)
						V = V * 8 + static_cast<uint32_t>(S[P++] - '0');
					AppendUtf8(Value, V);
				}
				else
					Fail(Line, std::string("unknown escape sequence '\\") + E + "'");
			}
		}
		T.Kind = Quote == '"' ? TokKind::String : TokKind::Char;
		T.Text = S.substr(T.Begin, P - T.Begin);
		T.Value = Value;
		T.End = P;
		Emit(std::move(T));
	}

	void RawString(Token& T)
	{
		int StartLine = Line;
		++P; // '"'
		size_t DB = P;
		while (P < S.size() && S[P] != '(' && S[P] != '\n')
			++P;
		if (P >= S.size() || S[P] != '(')
			Fail(StartLine, "malformed raw string literal");
		std::string Close = ")" + S.substr(DB, P - DB) + "\"";
		++P;
		size_t E = S.find(Close, P);
		if (E == std::string::npos)
			Fail(StartLine, "unterminated raw string literal");
		T.Value = S.substr(P, E - P);
		for (size_t K = P; K < E; ++K)
			if (S[K] == '\n')
				++Line;
		P = E + Close.size();
		T.Kind = TokKind::String;
		T.Text = S.substr(T.Begin, P - T.Begin);
		T.End = P;
		T.Line = StartLine;
		Emit(std::move(T));
	}
};

} // namespace

std::string CleanDocComment(const std::string& Raw)
{
	std::string Body = Raw;
	bool Block = Body.compare(0, 2, "/*") == 0;
	if (Block)
	{
		Body = Body.substr(2);
		if (Body.size() >= 2 && Body.compare(Body.size() - 2, 2, "*/") == 0)
			Body.resize(Body.size() - 2);
	}
	std::vector<std::string> Lines;
	size_t B = 0;
	while (true)
	{
		size_t E = Body.find('\n', B);
		std::string L = Trim(Body.substr(B, E == std::string::npos ? std::string::npos : E - B));
		if (!Block)
		{
			size_t K = 0;
			while (K < L.size() && L[K] == '/')
				++K;
			L = Trim(L.substr(K));
		}
		size_t K = 0;
		while (K < L.size() && L[K] == '*')
			++K;
		Lines.push_back(Trim(L.substr(K)));
		if (E == std::string::npos)
			break;
		B = E + 1;
	}
	while (!Lines.empty() && Lines.front().empty())
		Lines.erase(Lines.begin());
	while (!Lines.empty() && Lines.back().empty())
		Lines.pop_back();
	std::string Out;
	for (size_t K = 0; K < Lines.size(); ++K)
		Out += (K ? "\n" : "") + Lines[K];
	return Out;
}

LexedFile Lex(const std::string& Path, std::string Source)
{
	LexedFile F;
	F.Path = Path;
	F.Source = std::move(Source);
	Lexer L(F);
	L.Run();
	return F;
}

} // namespace zht
