// Muller C-elements and the flip-flops standing in for the cell library.
`timescale 1ps/1ps
module cells_tb;
	reg	a, b, reset, c, dd, hi;
	wire	qr, qs, fr, fsr, fnr, fnsr, xq1, xq2;
	integer	errors;

	muller_c_r	cr(.a(a), .b(b), .q(qr), .reset(reset));
	muller_c_s	cs(.a(a), .b(b), .q(qs), .reset(reset));
	DFR	r1(.C(c), .D(dd), .Q(fr), .XR(reset));
	DFSR	r2(.C(c), .D(dd), .Q(fsr), .XS(reset), .XR(hi), .XQ(xq1));
	DFNR	r3(.XC(c), .D(dd), .Q(fnr), .XR(reset));
	DFNSR	r4(.XC(c), .D(dd), .Q(fnsr), .XS(reset), .XR(hi), .XQ(xq2));

	task expect(input got, input want, input [8*16-1:0] what);
		if (got !== want) begin
			errors = errors + 1;
			$display("FAIL %0s: %b, expected %b at %0t", what, got, want, $time);
		end
	endtask

	initial begin
		errors = 0; hi = 1;
		a = 0; b = 0; c = 0; dd = 1; reset = 0;
		#500;
		expect(qr, 0, "reset r"); expect(qs, 1, "reset s");
		expect(fr, 0, "DFR reset"); expect(fsr, 1, "DFSR set"); expect(xq1, 0, "DFSR XQ");
		expect(fnr, 0, "DFNR reset"); expect(fnsr, 1, "DFNSR set");
		reset = 1;
		#500 expect(qr, 0, "r after reset"); expect(qs, 0, "s follows 0,0");
		a = 1; #500 expect(qr, 0, "r holds"); expect(qs, 0, "s holds");
		b = 1; #500 expect(qr, 1, "r rises"); expect(qs, 1, "s rises");
		a = 0; #500 expect(qr, 1, "r holds high");
		b = 0; #500 expect(qr, 0, "r falls");
		// Rising-edge cells take D on the rising clock, falling-edge cells on the falling one.
		dd = 1; c = 1; #500
		expect(fr, 1, "DFR rise"); expect(fsr, 1, "DFSR rise"); expect(fnr, 0, "DFNR no rise");
		dd = 0; c = 0; #500
		expect(fr, 1, "DFR no fall"); expect(fnr, 0, "DFNR fall"); expect(fnsr, 0, "DFNSR fall");
		expect(xq2, 1, "DFNSR XQ");
		if (errors == 0) $display("PASS");
		$finish;
	end
endmodule
