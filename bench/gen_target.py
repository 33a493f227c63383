#!/usr/bin/env python3
"""Writes the benchmark's BenchTarget.java and BenchCallers.java into OUTDIR from the report
kinds catalogue (the build's generated/vyt/catalog/report-kinds.tsv): one setData and one
addEntry method per distinct parameter list of the catalogue's callbacks.

usage: gen_target.py REPORT_KINDS_TSV OUTDIR"""
import pathlib
import sys

tsv, outdir = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
sigs = {}
for line in tsv.read_text(encoding="utf-8").splitlines():
    cols = line.split("\t")
    if cols[0] in ("setData", "addEntry"):
        kinds = tuple(p.split()[0] for p in cols[1:])
        sigs.setdefault((cols[0], kinds), None)
if not sigs:
    sys.exit(f"gen_target.py: no callbacks in {tsv}")


def jni(params):
    return "(" + "".join("Ljava/lang/String;" if p == "String" else "I" for p in params) + ")V"


def arg_names(params):
    return ", ".join(f"a{i + 1}" for i in range(len(params)))


header = f"// Written by bench/gen_target.py from {tsv.name} at build time."
out = [header, "import java.util.List;", "",
       "/**",
       " * The benchmark's report target: every setData and addEntry signature of the catalogue.  Each",
       " * call keeps its last string and sums its ints (so no call can be optimised away); while",
       " * {@code recording} is set it also keeps every call with its arguments.",
       " */",
       "public final class BenchTarget {",
       "    public Object last;", "    public long sum;", "    public List<Object[]> recording;", ""]
for name, params in sigs:
    args = ", ".join(f"{p} a{i + 1}" for i, p in enumerate(params))
    out.append(f"    public void {name}({args}) {{")
    for i, p in enumerate(params):
        out.append(f"        last = a{i + 1};" if p == "String" else f"        sum += a{i + 1};")
    out.append(f"        if (recording != null) recording.add(new Object[] {{\"{name}{jni(params)}\", {arg_names(params)}}});")
    out.append("    }")
    out.append("")
out.append("}")
outdir.mkdir(parents=True, exist_ok=True)
(outdir / "BenchTarget.java").write_text("\n".join(out) + "\n", encoding="utf-8")

out = [header, "import java.nio.ByteBuffer;", "import java.util.HashMap;", "import java.util.Map;", "",
       "/** One caller per callback signature: reads its arguments from a flat record and makes the call. */",
       "final class BenchCallers {",
       "    private BenchCallers() {}", "",
       "    static final Map<String, BenchCaller.Factory> ALL = new HashMap<>();", "",
       "    static {"]
for name, params in sigs:
    out.append(f"        ALL.put(\"{name}{jni(params)}\", w -> new BenchCaller(w) {{")
    out.append("            @Override")
    out.append("            int call(BenchTarget t, ByteBuffer b, int at) {")
    for i, p in enumerate(params):
        if p == "String":
            out.append(f"                String a{i + 1} = text(b, at, w[{i}]);")
            out.append(f"                at += w[{i}];")
        else:
            out.append(f"                int a{i + 1} = b.getInt(at);")
            out.append("                at += 4;")
    out.append(f"                t.{name}({arg_names(params)});")
    out.append("                return at;")
    out.append("            }")
    out.append("        });")
out.append("    }")
out.append("}")
(outdir / "BenchCallers.java").write_text("\n".join(out) + "\n", encoding="utf-8")
