import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.nio.charset.StandardCharsets;

/**
 * The smallest program that uses the library; with vytjni.jar beside it:
 * {@code javac -cp vytjni.jar Sample.java && java -cp vytjni.jar:. Sample}.
 * It builds a request, then decodes an all-transactions reply (report type 1) as a collector
 * would send it, into its own setData and addEntry methods.
 */
public class Sample {
    public void setData(int collectorStartupTime, int flags) {
        System.out.println("setData " + collectorStartupTime + " 0x" + Integer.toHexString(flags));
    }

    public void addEntry(String tranName, int flags) {
        System.out.println("addEntry " + tranName + " 0x" + Integer.toHexString(flags));
    }

    /** An all-transactions reply: length, entry count, header, then 68-byte entries. */
    static byte[] reply() {
        String[] names = {"checkout", "login"};
        ByteBuffer b = ByteBuffer.allocate(28 + 68 * names.length).order(ByteOrder.LITTLE_ENDIAN);
        b.putInt(0, b.capacity()).putInt(8, names.length).putInt(20, 1700000000).putInt(24, 0x2400000);
        for (int i = 0; i < names.length; ++i) {
            byte[] name = names[i].getBytes(StandardCharsets.UTF_8);
            for (int k = 0; k < name.length; ++k) b.put(28 + 68 * i + k, name[k]);
            b.putInt(28 + 68 * i + 64, 0x400000 * (i + 1));
        }
        return b.array();
    }

    public static void main(String[] args) {
        byte[] request = VYTservlet.buildVYTRequest(1, 0, 0, 0, "NOTRANSNAME", "NOTRANSNAME", 0, 0, false);
        System.out.println("request: " + request.length + " bytes");
        byte[] reply = reply();
        System.out.println("reply: " + VYTconnect.getBufLength(reply) + " bytes");
        System.out.println("status: " + VYTreport.mapData(reply, new Sample(), 1));
    }
}
